// The controls of the eject tool's three property pages as the resource script lays them out:
// identifier, kind, caption and place in dialog units. The in-memory dialog is built from it,
// and the Windows tests hold the real pages against it.
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

constexpr int kPageWidth = 234;
constexpr int kPageHeight = 115;

// The General page's texts that are ours to choose.
extern const char kReleaseLine[];
extern const char kCreditLine[];
extern const char kWebAddress[];

const PageLayout& GeneralPageLayout();
const PageLayout& ShutdownPageLayout();
const PageLayout& IconClickPageLayout();

} // namespace vandrel
