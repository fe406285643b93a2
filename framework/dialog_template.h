// Dialog templates as data: what a resource script would hold. No GUI types here.
#pragma once

#include "store/wintypes.h"

#include <cstdint>
#include <string_view>
#include <vector>

constexpr int IDC_STATIC = -1; // a control without an id

#ifdef _WIN32
#include <windows.h>
#else
// Window styles (the subset the templates use).
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr std::uint32_t DS_MODALFRAME = 0x0080;

constexpr std::uint32_t WS_EX_TRANSPARENT = 0x00000020;
constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;

// Control styles.
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001;
constexpr std::uint32_t BS_LEFTTEXT = 0x0020;
constexpr std::uint32_t BS_MULTILINE = 0x2000;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t ES_NUMBER = 0x2000;
constexpr std::uint32_t SS_NOPREFIX = 0x0080;
constexpr std::uint32_t CBS_DROPDOWN = 0x0002;
constexpr std::uint32_t CBS_SORT = 0x0100;
#endif

enum class ControlKind {
    PushButton,
    CheckBox, // automatic check box
    Edit,
    Static,   // text
    Phonetic, // text in a face that has every IPA symbol (the template's may have none)
    Picture,  // static showing a bitmap resource (resourceId)
    Icon,     // static showing an icon resource (resourceId)
    ComboBox,
    ListBox, // a single-choice list, kept in the order its strings are added
};

struct ControlTemplate {
    ControlKind kind;
    int id; // IDC_STATIC (-1) for none
    std::string_view text;
    int x, y, cx, cy; // dialog units
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int resourceId = 0; // bitmap or icon shown by a picture or icon control
};

struct DialogTemplate {
    UINT id;
    std::string_view caption;
    std::string_view fontFace;
    int fontPoints;
    int cx, cy; // dialog units
    std::uint32_t style;
    std::uint32_t exStyle;
    std::vector<ControlTemplate> controls; // template order, which is the tab order
};

// Dialogs find their templates through what the program registers at start-up.
using DialogTemplateFinder = const DialogTemplate* (*)(UINT id);
void SetDialogTemplates(DialogTemplateFinder finder);
// The registered template with that id; null when there is none.
const DialogTemplate* FindDialogTemplate(UINT id);
