// The editor's main window on screen. It shows the form model and turns what the user does
// (focus, typing, clicks) into calls of main_window_events; after each it shows the model
// again. An error that an operation throws ends at this boundary in a message box.
#pragma once

#include "editor/form/main_window_model.h"
#include "editor/win32/control_windows.h"
#include "editor/win32/gdi_resources.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace marlwick {

struct MainWindowOptions {
    int dpi = 0;                          // pixels per inch for the twips; 0 takes the screen's
    bool endsProgram = true;              // closing the window ends the message loop
    int firstShowCommand = SW_SHOWNORMAL; // how the window first appears
};

class MainWindow {
  public:
    MainWindow(HINSTANCE instance, MainWindowModel model, MainWindowOptions options = {});
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    HWND controlHandle(ControlId id) const { return controls_->handle(id); }
    int dpi() const { return dpi_; }
    MainWindowModel& model() { return model_; }

    // Shows the whole model: every control, the title, the outer height, the visibility.
    void mirror();

    // Runs one thing the user did against the model, reports what it throws, then mirrors.
    void runEvent(const std::function<void(MainWindowModel&)>& event);

    // What a click on a button or a title label runs; nothing until one is set.
    using ClickHandler = std::function<void(ControlId)>;
    void setClickHandler(ClickHandler handler) { clickHandler_ = std::move(handler); }

    // Appends an item to the window's system menu, below a separator; choosing it runs the
    // handler as an event. The command lies below 0xF000, its low four bits 0.
    void addSystemMenuItem(UINT command, const std::string& text, std::function<void()> handler);

    // Asked when the user closes the window (close box, Alt+F4, system menu): true lets it
    // close. Without one it closes at once.
    using CloseQuery = std::function<bool()>;
    void setCloseQuery(CloseQuery query) { closeQuery_ = std::move(query); }

    // Keyboard navigation between the controls (Tab); true when the message was used.
    bool isDialogMessage(MSG& message);

    // Shows the window and runs the program's message loop until it ends; the exit code.
    int showAndRunMessageLoop();

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void handleCommand(HWND control, UINT code);
    void click(ControlId clicked);
    bool mayClose();
    void focusGained(ControlId box);
    void focusLost(ControlId box);
    LRESULT colourControl(HDC dc, HWND control);
    void drawItem(const DRAWITEMSTRUCT& item);
    void paintLines();
    void mirrorFrame();
    void reportError(const std::string& text);

    MainWindowModel model_;
    MainWindowOptions options_;
    int dpi_;
    GdiResources gdi_;
    HWND window_ = nullptr;
    std::unique_ptr<ControlWindows> controls_;
    WindowFrame shownFrame_;
    // A box whose focus went to another program or a message box: it is left only when the
    // focus moves on inside this window.
    std::optional<ControlId> awayFrom_;
    HWND focusBeforeDeactivation_ = nullptr;
    ClickHandler clickHandler_;
    std::map<UINT, std::function<void()>> systemMenuHandlers_;

    CloseQuery closeQuery_;
};

} // namespace marlwick
