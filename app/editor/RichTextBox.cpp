#include "app/editor/RichTextBox.h"

#include "core/RtfExactCharacters.h"

#include <cstring>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillet {
namespace {

struct OutStream {
    std::string bytes;
};
struct InStream {
    const std::string* bytes = nullptr;
    std::size_t pos = 0;
};

DWORD CALLBACK WriteOut(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<OutStream*>(cookie)->bytes.append(reinterpret_cast<const char*>(buffer),
                                                       static_cast<std::size_t>(size));
    *done = size;
    return 0;
}

DWORD CALLBACK ReadIn(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* s = reinterpret_cast<InStream*>(cookie);
    const std::size_t left = s->bytes->size() - s->pos;
    const std::size_t n = left < static_cast<std::size_t>(wanted) ? left : static_cast<std::size_t>(wanted);
    if (n)
        std::memcpy(buffer, s->bytes->data() + s->pos, n);
    s->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

CHARFORMAT2W CharFormat(DWORD mask) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = mask;
    return cf;
}

PARAFORMAT2 ParaFormat(DWORD mask) {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof(pf);
    pf.dwMask = mask;
    return pf;
}

void ApplyChar(HWND box, CHARFORMAT2W& cf) {
    ::SendMessageW(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

Tristate Effect(const CHARFORMAT2W& cf, DWORD mask, DWORD effect) {
    if (!(cf.dwMask & mask))
        return std::nullopt;
    return (cf.dwEffects & effect) != 0;
}

// A character the ANSI code page only approximates (a best fit, "r" for U+0159) is written by some
// rich-text controls as that approximation instead of a \u escape. Such characters get a character set
// whose code page holds them exactly, so every writer keeps them.
BYTE ExactCharset(wchar_t c) {
    BOOL usedDefault = FALSE;
    char bytes[4] = {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, 4, nullptr, &usedDefault);
    wchar_t back = 0;
    if (n <= 0 || usedDefault || (::MultiByteToWideChar(CP_ACP, 0, bytes, n, &back, 1) == 1 && back == c))
        return DEFAULT_CHARSET; // exact, or escaped as Unicode anyway
    static const std::pair<UINT, BYTE> sets[] = {
        {1250, EASTEUROPE_CHARSET}, {1251, RUSSIAN_CHARSET},    {1253, GREEK_CHARSET},  {1254, TURKISH_CHARSET},
        {1257, BALTIC_CHARSET},     {1258, VIETNAMESE_CHARSET}, {1255, HEBREW_CHARSET}, {1256, ARABIC_CHARSET},
        {874, THAI_CHARSET},        {932, SHIFTJIS_CHARSET},    {936, GB2312_CHARSET},  {949, HANGEUL_CHARSET},
        {950, CHINESEBIG5_CHARSET}};
    for (const auto& [codePage, charset] : sets) {
        usedDefault = FALSE;
        const int m = ::WideCharToMultiByte(codePage, 0, &c, 1, bytes, 4, nullptr, &usedDefault);
        if (m > 0 && !usedDefault && ::MultiByteToWideChar(codePage, 0, bytes, m, &back, 1) == 1 && back == c)
            return charset;
    }
    return DEFAULT_CHARSET;
}

// The characters the box writes into a source of the whole box or of the selection, a paragraph end as
// one CR (positions as the control counts them).
std::wstring WrittenText(HWND box, bool selectionOnly) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT length = ::SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    if (length <= 0)
        return L"";
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = selectionOnly ? GT_SELECTION : GT_DEFAULT;
    get.codepage = 1200;
    const LRESULT got =
        ::SendMessageW(box, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    return std::wstring(text.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

void KeepCharactersExact(HWND box) {
    const std::wstring text = WrittenText(box, false);
    // A text in one language repeats a few letters thousands of times: each is looked up once.
    std::unordered_map<wchar_t, BYTE> charsets;
    const auto charsetOf = [&](wchar_t c) {
        const auto [at, added] = charsets.try_emplace(c, BYTE{DEFAULT_CHARSET});
        if (added)
            at->second = ExactCharset(c);
        return at->second;
    };
    // One selection and format change per run: without holding back the box's notices and painting,
    // every run would repaint the box and run the owner's selection handlers.
    std::optional<QuietRichEdit> quiet;
    CHARRANGE kept{};
    const std::size_t count = text.size();
    for (std::size_t i = 0; i < count;) {
        if (text[i] < 128) {
            ++i;
            continue;
        }
        const BYTE charset = charsetOf(text[i]);
        std::size_t end = i + 1;
        while (charset != DEFAULT_CHARSET && end < count && text[end] >= 128 && charsetOf(text[end]) == charset)
            ++end;
        if (charset != DEFAULT_CHARSET) {
            if (!quiet) {
                ::SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
                quiet.emplace(box, true);
            }
            CHARRANGE range{static_cast<LONG>(i), static_cast<LONG>(end)};
            ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            CHARFORMAT2W cf = CharFormat(CFM_CHARSET);
            cf.bCharSet = charset;
            ApplyChar(box, cf);
        }
        i = end;
    }
    if (quiet)
        ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
}

std::string StreamOutRtf(HWND box, bool selectionOnly) {
    OutStream out;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, &WriteOut};
    ::SendMessageW(box, EM_STREAMOUT, SF_RTF | (selectionOnly ? SFF_SELECTION : 0), reinterpret_cast<LPARAM>(&stream));
    return out.bytes;
}

} // namespace

QuietRichEdit::QuietRichEdit(HWND box, bool noPainting)
    : box_(box), mask_(::SendMessageW(box, EM_SETEVENTMASK, 0, 0)), painting_(noPainting && ::IsWindowVisible(box)) {
    if (painting_)
        ::SendMessageW(box_, WM_SETREDRAW, FALSE, 0);
}

QuietRichEdit::~QuietRichEdit() {
    if (painting_) {
        ::SendMessageW(box_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(box_, nullptr, TRUE);
    }
    ::SendMessageW(box_, EM_SETEVENTMASK, 0, mask_);
}

const wchar_t* RichEditClassName() {
    static const wchar_t* cls = [] {
        if (::LoadLibraryW(L"msftedit.dll"))
            return L"RICHEDIT50W";
        ::LoadLibraryW(L"riched20.dll");
        return L"RichEdit20W";
    }();
    return cls;
}

long RichTextLength(HWND box) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<long>(::SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

std::wstring RichPlainText(HWND box) {
    GETTEXTLENGTHEX how{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT length = ::SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    if (length <= 0)
        return L"";
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    const LRESULT got =
        ::SendMessageW(box, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

std::string RichRtf(HWND box, bool selectionOnly) {
    // Most often the source only needs the writer's approximations turned into escapes, which costs a
    // reading of the text.
    std::string rtf = StreamOutRtf(box, selectionOnly);
    if (std::optional<std::string> exact = core::EscapeApproximatedCharacters(rtf, WrittenText(box, selectionOnly)))
        return std::move(*exact);
    // A source that reading cannot follow: the characters get character sets that hold them exactly, which
    // changes the box run by run, and the box writes again.
    KeepCharactersExact(box);
    return StreamOutRtf(box, selectionOnly);
}

bool SetRichRtf(HWND box, const std::string& rtf, bool selectionOnly) {
    InStream in;
    in.bytes = &rtf;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&in), 0, &ReadIn};
    ::SendMessageW(box, EM_STREAMIN, SF_RTF | (selectionOnly ? SFF_SELECTION : 0), reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

void SetRichText(HWND box, const std::wstring& text) {
    SETTEXTEX how{ST_DEFAULT, 1200};
    ::SendMessageW(box, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text.c_str()));
}

void CaretToEnd(HWND box) {
    // The length counts a line break as two characters, more than a rich edit holds; the box clamps it.
    const int length = ::GetWindowTextLengthW(box);
    ::SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(length), length);
}

SelectionFormat ReadSelectionFormat(HWND box) {
    CHARFORMAT2W cf = CharFormat(CFM_ALL2);
    ::SendMessageW(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SelectionFormat f;
    f.bold = Effect(cf, CFM_BOLD, CFE_BOLD);
    f.italic = Effect(cf, CFM_ITALIC, CFE_ITALIC);
    f.underline = Effect(cf, CFM_UNDERLINE, CFE_UNDERLINE);
    f.strikeout = Effect(cf, CFM_STRIKEOUT, CFE_STRIKEOUT);
    if (cf.dwMask & CFM_FACE)
        f.fontName = std::wstring(cf.szFaceName);
    if (cf.dwMask & CFM_SIZE)
        f.fontSize = static_cast<int>((cf.yHeight + 10) / 20);
    if ((cf.dwMask & CFM_COLOR) && !(cf.dwEffects & CFE_AUTOCOLOR))
        f.colour = cf.crTextColor;
    else if (cf.dwMask & CFM_COLOR)
        f.colour = ::GetSysColor(COLOR_WINDOWTEXT);

    PARAFORMAT2 pf = ParaFormat(PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET | PFM_ALIGNMENT);
    ::SendMessageW(box, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    if (pf.dwMask & PFM_NUMBERING)
        f.bullet = pf.wNumbering == PFN_BULLET;
    if (pf.dwMask & PFM_ALIGNMENT) {
        if (pf.wAlignment == PFA_RIGHT)
            f.alignment = 1;
        else if (pf.wAlignment == PFA_CENTER)
            f.alignment = 2;
        else
            f.alignment = 0;
    }
    f.leftIndent = pf.dxStartIndent;
    f.hangingIndent = pf.dxOffset;
    return f;
}

void SetSelectionEffect(HWND box, DWORD mask, bool on) {
    CHARFORMAT2W cf = CharFormat(mask);
    DWORD effect = 0;
    if (mask == CFM_BOLD)
        effect = CFE_BOLD;
    else if (mask == CFM_ITALIC)
        effect = CFE_ITALIC;
    else if (mask == CFM_UNDERLINE)
        effect = CFE_UNDERLINE;
    else if (mask == CFM_STRIKEOUT)
        effect = CFE_STRIKEOUT;
    cf.dwEffects = on ? effect : 0;
    ApplyChar(box, cf);
}

void SetSelectionFont(HWND box, const std::wstring& name) {
    CHARFORMAT2W cf = CharFormat(CFM_FACE);
    ::lstrcpynW(cf.szFaceName, name.c_str(), LF_FACESIZE);
    ApplyChar(box, cf);
}

void SetSelectionSize(HWND box, int points) {
    CHARFORMAT2W cf = CharFormat(CFM_SIZE);
    cf.yHeight = points * 20;
    ApplyChar(box, cf);
}

void SetSelectionColour(HWND box, COLORREF colour) {
    CHARFORMAT2W cf = CharFormat(CFM_COLOR);
    cf.crTextColor = colour;
    ApplyChar(box, cf);
}

void SetSelectionAlignment(HWND box, int alignment) {
    PARAFORMAT2 pf = ParaFormat(PFM_ALIGNMENT);
    pf.wAlignment = alignment == 1 ? PFA_RIGHT : alignment == 2 ? PFA_CENTER : PFA_LEFT;
    ::SendMessageW(box, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

void SetSelectionBullet(HWND box, bool on, long indent) {
    PARAFORMAT2 current = ParaFormat(PFM_STARTINDENT);
    ::SendMessageW(box, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&current));
    PARAFORMAT2 pf = ParaFormat(PFM_NUMBERING | PFM_STARTINDENT | (on ? 0 : PFM_OFFSET));
    pf.wNumbering = on ? PFN_BULLET : 0;
    const long start = current.dxStartIndent + (on ? indent : -indent);
    pf.dxStartIndent = start < 0 ? 0 : start;
    pf.dxOffset = 0;
    ::SendMessageW(box, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

} // namespace quillet
