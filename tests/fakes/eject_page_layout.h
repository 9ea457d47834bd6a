// The controls of the eject tool's three property pages as ejector/page_layout.h states them for
// the resource script too: identifier, kind, caption and place in dialog units. The in-memory
// dialog is built from them, and the Windows tests hold the real pages against them.
#pragma once

#include <string>
#include <vector>

namespace vandrel {

enum class ControlKind {
    Text,
    Icon,
    EtchedLine,
    OwnerDrawButton,
    CheckBox,
    PushButton,
    Radio,
    List, // several selections, sorted, border, vertical scroll bar
};

struct PageControl {
    int id; // -1 for the controls the code never addresses
    ControlKind kind;
    bool startsGroup;
    bool multiline;
    std::string caption;
    int x, y, width, height;
};

struct PageLayout {
    int dialogId;
    std::string title;
    std::vector<PageControl> controls;
};

extern const int kPageWidth;
extern const int kPageHeight;

const PageLayout& GeneralPageLayout();
const PageLayout& ShutdownPageLayout();
const PageLayout& IconClickPageLayout();

} // namespace vandrel
