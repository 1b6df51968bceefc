#include "app/menu/MenuPictures.h"

#include "winkit/Scoped.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(MenuPictures, EveryKeyHasItsOwnSixteenPixelPicture) {
    winkit::ComApartment apartment;
    quillet::MenuPictures pictures;
    pictures.Load();
    std::vector<std::wstring> keys = quillet::MenuPictures::Keys();
    keys.push_back(quillet::MenuPictures::kClipImage);
    ASSERT_EQ(keys.size(), 18u);
    std::vector<std::vector<COLORREF>> seen;
    for (const std::wstring& key : keys) {
        HBITMAP bitmap = quillet::MenuPictures::BitmapOf(pictures.Picture(key));
        ASSERT_NE(bitmap, nullptr) << key;
        BITMAP info{};
        ASSERT_TRUE(::GetObjectW(bitmap, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, 16);
        EXPECT_EQ(info.bmHeight, 16);
        winkit::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
        winkit::SelectObjectGuard selected(dc.get(), bitmap);
        std::vector<COLORREF> pixels;
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                pixels.push_back(::GetPixel(dc.get(), x, y));
                drawn += pixels.back() != ::GetSysColor(COLOR_MENU);
            }
        EXPECT_GT(drawn, 20) << key << " is (nearly) blank";
        for (const auto& other : seen)
            EXPECT_NE(other, pixels) << key << " looks like another picture";
        seen.push_back(pixels);
    }
    EXPECT_EQ(pictures.Picture(L"nosuchkey"), nullptr);
    winkit::ScopedIcon icon(quillet::MenuPictures::CreateProgramIcon());
    EXPECT_NE(icon.get(), nullptr);
}
