// Marlwick's main window as the user finds their way around it: the value boxes by their row
// and column, the buttons by their captions, the titles and file captions by where they stand.
#pragma once

#include "editor/form/main_form.h"
#include "tests/e2e/programs.h"

#include <windows.h>

#include <string>

namespace e2e {

class EditorWindow {
  public:
    static constexpr const char* kTitle = marlwick::kWindowTitle.data();
    static constexpr const char* kMessageCaption = "Marlwick";
    static constexpr const char* kOpenDialogTitle = "ApplicationSettings";

    // The mode bar's captions, vehicle, speed, import and route mode.
    static const char* const kModeCaptions[4];

    // The program's main window once it shows; no window when it did not appear.
    static EditorWindow find(const Program& program);
    explicit EditorWindow(HWND window) : window_(window) {}

    HWND handle() const { return window_; }
    HWND valueBox(int index) const;   // Text1(index), 0 to 56
    HWND speedBox(int index) const;   // Text3(index), 0 to 15
    HWND speedLabel(int index) const; // the label that stands for Text3(index) in speed mode
    HWND vehicleTitle() const;
    HWND routeTitle() const;
    HWND targetCaption() const; // the target file's path
    HWND importCaption() const; // the import file's path
    HWND button(const std::string& caption) const;
    HWND modeBar() const;
    HWND levelButton() const;

    // The texts of count value boxes from first on, joined by "|" as the file lists them.
    std::string valueList(int first, int count) const;
    // Waits until the boxes show the list.
    bool showsListSoon(int first, int count, const std::string& list) const;

    // The user clicks into a box; true once it has the focus and, as the editor selects it on
    // entry, its whole text selected, so that typing replaces it.
    bool enterBox(HWND box) const;
    // The user clicks into a box, types, and leaves it with Tab.
    void editBox(HWND box, const std::string& typed) const;

  private:
    HWND at(const char* className, int leftTwips, int topTwips) const;

    HWND window_;
};

} // namespace e2e
