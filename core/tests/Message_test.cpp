#include "core/Message.h"

#include <gtest/gtest.h>

using core::ComposeMessage;
using core::ErrorRecord;
using core::MessageButtons;
using core::MessageIcon;

namespace {
const ErrorRecord kPending{53, L"File not found"};
}

TEST(ComposeMessage, EachKindHasItsIconButtonsAndTitle) {
    struct Case {
        const wchar_t* kind;
        MessageIcon icon;
        MessageButtons buttons;
        const wchar_t* title;
    };
    const Case cases[] = {
        {L"inf", MessageIcon::Information, MessageButtons::Ok, L"Quillet"},
        {L"excl", MessageIcon::Exclamation, MessageButtons::Ok, L"Quillet"},
        {L"quest", MessageIcon::Question, MessageButtons::YesNo, L"Quillet"},
        {L"err", MessageIcon::Critical, MessageButtons::Ok, L"Quillet - Error"},
    };
    for (const Case& c : cases) {
        auto box = ComposeMessage(L"Hello", c.kind, false, kPending);
        ASSERT_TRUE(box.has_value()) << c.kind;
        EXPECT_EQ(box->icon, c.icon) << c.kind;
        EXPECT_EQ(box->buttons, c.buttons) << c.kind;
        EXPECT_EQ(box->title, c.title) << c.kind;
        EXPECT_EQ(box->text, L"Hello") << c.kind;
    }
}

TEST(ComposeMessage, UnknownKindsShowNothing) {
    for (const wchar_t* kind : {L"", L"info", L"ERR", L"Inf", L"err ", L"question"}) {
        EXPECT_FALSE(ComposeMessage(L"Hello", kind, true, kPending).has_value()) << kind;
    }
}

TEST(ComposeMessage, ErrorDetailsFollowTheTextAfterTwoLineBreaks) {
    auto box = ComposeMessage(L"Couldn't save project!", L"err", true, kPending);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"Couldn't save project!\r\n\r\nError number: 53, description: File not found");
}

TEST(ComposeMessage, DetailsWithNoPendingErrorStillNameNumberZero) {
    auto box = ComposeMessage(L"Failed.", L"err", true, ErrorRecord{});
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"Failed.\r\n\r\nError number: 0, description: ");
}

TEST(ComposeMessage, DetailsFlagIsIgnoredForKindsOtherThanError) {
    for (const wchar_t* kind : {L"inf", L"excl", L"quest"}) {
        auto box = ComposeMessage(L"Text", kind, true, kPending);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, L"Text") << kind;
    }
}

TEST(ComposeMessage, NegativeErrorNumbersAreShownAsSigned) {
    // HRESULT-style failures arrive as negative numbers, as the automation runtime reports them.
    auto box = ComposeMessage(L"X", L"err", true, ErrorRecord{-2147467259L, L"Unspecified error"});
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"X\r\n\r\nError number: -2147467259, description: Unspecified error");
}
