#pragma once
// Keys between the grid and its in-place editor. The end-of-edit notification
// carries the ending key as the platform's virtual-key number (13 Enter, 27 Esc,
// 33 to 40 the navigation keys), which owners compare against. The key that
// starts an edit is a character (its code point), 1 for a mouse click, 0 for
// none, or a navigation key as its negated wx key code, so that no navigation
// key can be mistaken for a typed character.
#include <wx/defs.h>

enum : int {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
};

// The virtual-key number of a wx key code; 0 for keys without one here.
inline int VkFromWxKey(int key) {
    switch (key) {
    case WXK_BACK:
        return VK_BACK;
    case WXK_TAB:
        return VK_TAB;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return VK_RETURN;
    case WXK_ESCAPE:
        return VK_ESCAPE;
    case WXK_SPACE:
        return VK_SPACE;
    case WXK_PAGEUP:
        return VK_PRIOR;
    case WXK_PAGEDOWN:
        return VK_NEXT;
    case WXK_END:
        return VK_END;
    case WXK_HOME:
        return VK_HOME;
    case WXK_LEFT:
        return VK_LEFT;
    case WXK_UP:
        return VK_UP;
    case WXK_RIGHT:
        return VK_RIGHT;
    case WXK_DOWN:
        return VK_DOWN;
    default:
        return 0;
    }
}

// The wx key code of a navigation virtual key (33 to 40); 0 for others.
inline int WxKeyFromVk(int vk) {
    switch (vk) {
    case VK_PRIOR:
        return WXK_PAGEUP;
    case VK_NEXT:
        return WXK_PAGEDOWN;
    case VK_END:
        return WXK_END;
    case VK_HOME:
        return WXK_HOME;
    case VK_LEFT:
        return WXK_LEFT;
    case VK_UP:
        return WXK_UP;
    case VK_RIGHT:
        return WXK_RIGHT;
    case VK_DOWN:
        return WXK_DOWN;
    default:
        return 0;
    }
}

// The starts of an edit that are no key: a mouse click, and none at all.
enum : int { kEditKeyNone = 0, kEditKeyMouse = 1 };

inline int EditKeyForNavigation(int wxKey) {
    return -wxKey;
}
inline bool IsNavigationEditKey(int key) {
    return key < 0;
}
inline int NavigationKeyOf(int key) {
    return -key;
}
