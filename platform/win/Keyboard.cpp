// The keyboard of the platform's English (US) layout: scan codes, characters and key names.

#include <cstring>

#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

struct KeyRow {
    UINT Vk;
    UINT Scan;
    bool Extended;
};

// Virtual key -> scan code (set 1).
const KeyRow kKeys[] = {
    {VK_ESCAPE, 0x01, false},     {'1', 0x02, false},         {'2', 0x03, false},
    {'3', 0x04, false},           {'4', 0x05, false},         {'5', 0x06, false},
    {'6', 0x07, false},           {'7', 0x08, false},         {'8', 0x09, false},
    {'9', 0x0A, false},           {'0', 0x0B, false},         {VK_OEM_MINUS, 0x0C, false},
    {VK_OEM_PLUS, 0x0D, false},   {VK_BACK, 0x0E, false},     {VK_TAB, 0x0F, false},
    {'Q', 0x10, false},           {'W', 0x11, false},         {'E', 0x12, false},
    {'R', 0x13, false},           {'T', 0x14, false},         {'Y', 0x15, false},
    {'U', 0x16, false},           {'I', 0x17, false},         {'O', 0x18, false},
    {'P', 0x19, false},           {VK_OEM_4, 0x1A, false},    {VK_OEM_6, 0x1B, false},
    {VK_RETURN, 0x1C, false},     {VK_CONTROL, 0x1D, false},  {VK_LCONTROL, 0x1D, false},
    {VK_RCONTROL, 0x1D, true},    {'A', 0x1E, false},         {'S', 0x1F, false},
    {'D', 0x20, false},           {'F', 0x21, false},         {'G', 0x22, false},
    {'H', 0x23, false},           {'J', 0x24, false},         {'K', 0x25, false},
    {'L', 0x26, false},           {VK_OEM_1, 0x27, false},    {VK_OEM_7, 0x28, false},
    {VK_OEM_3, 0x29, false},      {VK_SHIFT, 0x2A, false},    {VK_LSHIFT, 0x2A, false},
    {VK_OEM_5, 0x2B, false},      {'Z', 0x2C, false},         {'X', 0x2D, false},
    {'C', 0x2E, false},           {'V', 0x2F, false},         {'B', 0x30, false},
    {'N', 0x31, false},           {'M', 0x32, false},         {VK_OEM_COMMA, 0x33, false},
    {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false},    {VK_RSHIFT, 0x36, false},
    {VK_MULTIPLY, 0x37, false},   {VK_MENU, 0x38, false},     {VK_LMENU, 0x38, false},
    {VK_RMENU, 0x38, true},       {VK_SPACE, 0x39, false},    {VK_CAPITAL, 0x3A, false},
    {VK_F1, 0x3B, false},         {VK_F2, 0x3C, false},       {VK_F3, 0x3D, false},
    {VK_F4, 0x3E, false},         {VK_F5, 0x3F, false},       {VK_F6, 0x40, false},
    {VK_F7, 0x41, false},         {VK_F8, 0x42, false},       {VK_F9, 0x43, false},
    {VK_F10, 0x44, false},        {VK_NUMLOCK, 0x45, true},   {VK_PAUSE, 0x45, false},
    {VK_SCROLL, 0x46, false},     {VK_NUMPAD7, 0x47, false},  {VK_NUMPAD8, 0x48, false},
    {VK_NUMPAD9, 0x49, false},    {VK_SUBTRACT, 0x4A, false}, {VK_NUMPAD4, 0x4B, false},
    {VK_NUMPAD5, 0x4C, false},    {VK_NUMPAD6, 0x4D, false},  {VK_ADD, 0x4E, false},
    {VK_NUMPAD1, 0x4F, false},    {VK_NUMPAD2, 0x50, false},  {VK_NUMPAD3, 0x51, false},
    {VK_NUMPAD0, 0x52, false},    {VK_DECIMAL, 0x53, false},  {VK_SNAPSHOT, 0x54, false},
    {VK_OEM_102, 0x56, false},    {VK_F11, 0x57, false},      {VK_F12, 0x58, false},
    {VK_DIVIDE, 0x35, true},      {VK_HOME, 0x47, true},      {VK_UP, 0x48, true},
    {VK_PRIOR, 0x49, true},       {VK_LEFT, 0x4B, true},      {VK_RIGHT, 0x4D, true},
    {VK_END, 0x4F, true},         {VK_DOWN, 0x50, true},      {VK_NEXT, 0x51, true},
    {VK_INSERT, 0x52, true},      {VK_DELETE, 0x53, true},    {VK_LWIN, 0x5B, true},
    {VK_RWIN, 0x5C, true},        {VK_APPS, 0x5D, true},
};

const char* NameOf(UINT scan, bool ext) {
    if (ext) {
        switch (scan) {
        case 0x1C:
            return "Num Enter";
        case 0x1D:
            return "Right Ctrl";
        case 0x35:
            return "Num /";
        case 0x37:
            return "Prnt Scrn";
        case 0x38:
            return "Right Alt";
        case 0x45:
            return "Num Lock";
        case 0x46:
            return "Break";
        case 0x47:
            return "Home";
        case 0x48:
            return "Up";
        case 0x49:
            return "Page Up";
        case 0x4B:
            return "Left";
        case 0x4D:
            return "Right";
        case 0x4F:
            return "End";
        case 0x50:
            return "Down";
        case 0x51:
            return "Page Down";
        case 0x52:
            return "Insert";
        case 0x53:
            return "Delete";
        case 0x5B:
            return "Left Windows";
        case 0x5C:
            return "Right Windows";
        case 0x5D:
            return "Application";
        default:
            break;
        }
    }
    static const char* const kNames[0x59] = {
        nullptr, "Esc",   "1",         "2",       "3",       "4",     "5",           "6",
        "7",     "8",     "9",         "0",       "-",       "=",     "Backspace",   "Tab",
        "Q",     "W",     "E",         "R",       "T",       "Y",     "U",           "I",
        "O",     "P",     "[",         "]",       "Enter",   "Ctrl",  "A",           "S",
        "D",     "F",     "G",         "H",       "J",       "K",     "L",           ";",
        "'",     "`",     "Shift",     "\\",      "Z",       "X",     "C",           "V",
        "B",     "N",     "M",         ",",       ".",       "/",     "Right Shift", "Num *",
        "Alt",   "Space", "Caps Lock", "F1",      "F2",      "F3",    "F4",          "F5",
        "F6",    "F7",    "F8",        "F9",      "F10",     "Pause", "Scroll Lock", "Num 7",
        "Num 8", "Num 9", "Num -",     "Num 4",   "Num 5",   "Num 6", "Num +",       "Num 1",
        "Num 2", "Num 3", "Num 0",     "Num Del", "Sys Req", nullptr, "\\",          "F11",
        "F12"};
    return scan < 0x59 ? kNames[scan] : nullptr;
}

char32_t Shifted(UINT vk) {
    switch (vk) {
    case '1':
        return '!';
    case '2':
        return '@';
    case '3':
        return '#';
    case '4':
        return '$';
    case '5':
        return '%';
    case '6':
        return '^';
    case '7':
        return '&';
    case '8':
        return '*';
    case '9':
        return '(';
    case '0':
        return ')';
    case VK_OEM_MINUS:
        return '_';
    case VK_OEM_PLUS:
        return '+';
    case VK_OEM_4:
        return '{';
    case VK_OEM_6:
        return '}';
    case VK_OEM_1:
        return ':';
    case VK_OEM_7:
        return '"';
    case VK_OEM_3:
        return '~';
    case VK_OEM_5:
        return '|';
    case VK_OEM_COMMA:
        return '<';
    case VK_OEM_PERIOD:
        return '>';
    case VK_OEM_2:
        return '?';
    case VK_OEM_102:
        return '|';
    default:
        return 0;
    }
}

char32_t Plain(UINT vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return static_cast<char32_t>(vk);
    switch (vk) {
    case VK_OEM_MINUS:
        return '-';
    case VK_OEM_PLUS:
        return '=';
    case VK_OEM_4:
        return '[';
    case VK_OEM_6:
        return ']';
    case VK_OEM_1:
        return ';';
    case VK_OEM_7:
        return '\'';
    case VK_OEM_3:
        return '`';
    case VK_OEM_5:
        return '\\';
    case VK_OEM_COMMA:
        return ',';
    case VK_OEM_PERIOD:
        return '.';
    case VK_OEM_2:
        return '/';
    case VK_OEM_102:
        return '\\';
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return 8;
    case VK_TAB:
        return 9;
    case VK_ESCAPE:
        return 0x1B;
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    default:
        if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char32_t>('0' + (vk - VK_NUMPAD0));
        return 0;
    }
}

} // namespace

UINT ScanCodeOf(UINT vk, bool* extended) {
    for (const KeyRow& k : kKeys)
        if (k.Vk == vk) {
            if (extended) *extended = k.Extended;
            return k.Scan;
        }
    if (extended) *extended = false;
    return 0;
}

char32_t CharFromKey(UINT vk, const BYTE* keys) {
    bool shift = keys[VK_SHIFT] & 0x80;
    bool caps = keys[VK_CAPITAL] & 1;
    bool ctrl = keys[VK_CONTROL] & 0x80;
    bool alt = keys[VK_MENU] & 0x80;
    bool numLock = keys[VK_NUMLOCK] & 1;
    if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE && vk != VK_SEPARATOR) {
        if (vk <= VK_NUMPAD9 || vk == VK_DECIMAL) return numLock && !ctrl ? Plain(vk) : 0;
        return ctrl ? 0 : Plain(vk);
    }
    if (ctrl && !alt) {
        // Control characters.
        if (vk >= 'A' && vk <= 'Z') return static_cast<char32_t>(vk - 'A' + 1);
        switch (vk) {
        case VK_OEM_4:
            return 0x1B;
        case VK_OEM_5:
            return 0x1C;
        case VK_OEM_6:
            return 0x1D;
        case VK_RETURN:
            return '\n';
        case VK_BACK:
            return 0x7F;
        case VK_SPACE:
            return ' ';
        case VK_ESCAPE:
            return 0x1B;
        default:
            return 0;
        }
    }
    if (ctrl && alt) return 0; // no AltGr characters on the US layout
    if (vk >= 'A' && vk <= 'Z')
        return (shift != caps) ? static_cast<char32_t>(vk) : static_cast<char32_t>(vk - 'A' + 'a');
    if (shift)
        if (char32_t c = Shifted(vk)) return c;
    return Plain(vk);
}

std::optional<std::pair<UINT, bool>> KeyForChar(char32_t ch) {
    if (ch >= 'a' && ch <= 'z') return std::pair<UINT, bool>{static_cast<UINT>(ch - 'a' + 'A'), false};
    if (ch >= 'A' && ch <= 'Z') return std::pair<UINT, bool>{static_cast<UINT>(ch), true};
    if (ch == '\n' || ch == '\r') return std::pair<UINT, bool>{VK_RETURN, false};
    for (const KeyRow& k : kKeys) {
        if (k.Vk >= VK_NUMPAD0 && k.Vk <= VK_DIVIDE) continue;
        if (Plain(k.Vk) == ch && ch >= ' ') return std::pair<UINT, bool>{k.Vk, false};
        if (Shifted(k.Vk) == ch && k.Vk != VK_OEM_102) return std::pair<UINT, bool>{k.Vk, true};
    }
    if (ch == '\t') return std::pair<UINT, bool>{VK_TAB, false};
    if (ch == 8) return std::pair<UINT, bool>{VK_BACK, false};
    return std::nullopt;
}

} // namespace detail

using namespace detail;

UINT MapVirtualKey(UINT code, UINT type) {
    switch (type) {
    case MAPVK_VK_TO_VSC:
        return ScanCodeOf(code, nullptr);
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX:
        for (const KeyRow& k : kKeys) {
            if (k.Scan != (code & 0xFF) || k.Extended) continue;
            if (type == MAPVK_VSC_TO_VK && (k.Vk == VK_LSHIFT || k.Vk == VK_RSHIFT)) return VK_SHIFT;
            if (type == MAPVK_VSC_TO_VK && (k.Vk == VK_LCONTROL || k.Vk == VK_LMENU)) continue;
            if (type == MAPVK_VSC_TO_VK_EX && (k.Vk == VK_SHIFT || k.Vk == VK_CONTROL || k.Vk == VK_MENU))
                continue;
            if (k.Vk == VK_PAUSE) continue;
            return k.Vk;
        }
        return 0;
    case MAPVK_VK_TO_CHAR:
        return static_cast<UINT>(Plain(code) >= ' ' || code == VK_RETURN || code == VK_BACK ||
                                         code == VK_TAB || code == VK_ESCAPE
                                     ? Plain(code)
                                     : 0);
    default:
        return 0;
    }
}

int GetKeyNameText(LONG lParam, char* buf, int size) {
    if (!buf || size <= 0) return 0;
    UINT scan = (static_cast<DWORD>(lParam) >> 16) & 0xFF;
    bool ext = (lParam >> 24) & 1;
    bool dontCare = (lParam >> 25) & 1;
    const char* name = NameOf(scan, ext);
    if (dontCare) {
        if (scan == 0x36) name = "Shift";
        if (ext && scan == 0x1D) name = "Ctrl";
        if (ext && scan == 0x38) name = "Alt";
    }
    if (!name) {
        buf[0] = 0;
        return 0;
    }
    int n = static_cast<int>(std::strlen(name));
    if (n > size - 1) n = size - 1;
    std::memcpy(buf, name, static_cast<size_t>(n));
    buf[n] = 0;
    return n;
}

short VkKeyScan(char ch) {
    auto k = KeyForChar(static_cast<unsigned char>(ch));
    if (!k) return -1;
    return static_cast<short>(k->first | (k->second ? 0x100 : 0));
}

} // namespace win
