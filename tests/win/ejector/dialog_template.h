// Reads a classic DLGTEMPLATE resource: the page's own style, size and font, and every
// control with its class, style, place in dialog units, identifier and caption.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vandrel {

struct TemplateControl {
    DWORD style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::string className; // the predefined classes by name ("Button", "Static", ...)
    std::string caption;   // an ordinal caption (an icon) as "#102"
};

struct DialogTemplate {
    DWORD style = 0;
    int width = 0, height = 0;
    std::string caption;
    int pointSize = 0;
    std::string fontName;
    std::vector<TemplateControl> controls;
};

namespace detail {

class TemplateReader {
  public:
    explicit TemplateReader(const BYTE* bytes) : at_(bytes) {}

    WORD word() {
        WORD value;
        CopyMemory(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    DWORD dword() {
        DWORD value;
        CopyMemory(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    short signedWord() { return static_cast<short>(word()); }
    // A NUL-terminated UTF-16 text, kept as bytes of its ANSI range.
    std::string text() {
        std::string result;
        for (WORD c = word(); c != 0; c = word())
            result += static_cast<char>(c);
        return result;
    }
    // 0: none; 0xFFFF then an ordinal; otherwise a text.
    std::string textOrOrdinal() {
        const WORD first = word();
        if (first == 0)
            return {};
        if (first == 0xFFFF)
            return "#" + std::to_string(word());
        at_ -= sizeof(WORD);
        return text();
    }
    void alignToDword(const BYTE* base) {
        while ((at_ - base) % 4 != 0)
            ++at_;
    }
    void skip(std::size_t bytes) { at_ += bytes; }

  private:
    const BYTE* at_;
};

inline std::string PredefinedClass(const std::string& name) {
    if (name == "#128")
        return "Button";
    if (name == "#129")
        return "Edit";
    if (name == "#130")
        return "Static";
    if (name == "#131")
        return "ListBox";
    return name;
}

} // namespace detail

inline DialogTemplate ReadDialogTemplate(HINSTANCE module, int id) {
    DialogTemplate result;
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!resource)
        return result;
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    detail::TemplateReader read(base);
    result.style = read.dword();
    read.dword(); // extended style
    const WORD count = read.word();
    read.signedWord();
    read.signedWord();
    result.width = read.signedWord();
    result.height = read.signedWord();
    read.textOrOrdinal(); // menu
    read.textOrOrdinal(); // class
    result.caption = read.text();
    if (result.style & DS_SETFONT) {
        result.pointSize = read.word();
        result.fontName = read.text();
    }
    for (WORD i = 0; i < count; ++i) {
        read.alignToDword(base);
        TemplateControl control;
        control.style = read.dword();
        read.dword(); // extended style
        control.x = read.signedWord();
        control.y = read.signedWord();
        control.width = read.signedWord();
        control.height = read.signedWord();
        control.id = static_cast<short>(read.word());
        control.className = detail::PredefinedClass(read.textOrOrdinal());
        control.caption = read.textOrOrdinal();
        read.skip(read.word()); // creation data
        result.controls.push_back(control);
    }
    return result;
}

} // namespace vandrel
