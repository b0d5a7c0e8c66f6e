// Builds a form's controls from its table (form_table.h) and places them at the window's DPI:
// the one way every window of both programs gets its controls, frame size, position and fonts.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "common/form_table.h"
#include "common/window_base.h"

class FormControls {
public:
    FormControls() = default;
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;
    ~FormControls() { Release(); }

    // Creates the tool tips and every control of `table` as children of `form`, in tab order, so
    // that Tab follows the table. The controls of a frame are the form's own children, placed
    // relative to the frame. Returns false when one of them could not be created.
    bool Create(HWND form, const FormTable& table);

    // Sizes the form for its client area at `dpi`, places every control and sets its font.
    // Called at creation and again when the DPI changes.
    void Place(int dpi);

    // The window of the control in `row`; null for a row drawn by its container.
    HWND operator[](int row) const { return controls_[static_cast<size_t>(row)]; }
    // The row of a control window id, or -1 when the id is not one of the form's.
    int RowOfId(int id) const;
    HWND ToolTips() const { return toolTips_; }
    HFONT DefaultFont() const { return FontFor(FontSpec{}); }
    // The font of the control in `row` at the current DPI, owned by this object; also for rows
    // without a window, whose container draws their text.
    HFONT Font(int row) const { return FontFor(table_->rows[static_cast<size_t>(row)].font); }
    int Dpi() const { return dpi_; }

    // Sets or replaces the tool tip of the control in `row`.
    void SetToolTip(int row, const char* text);

    // Deletes the fonts; the windows go with their form.
    void Release();

private:
    HFONT FontFor(const FontSpec& wanted) const;

    HWND form_ = nullptr;
    const FormTable* table_ = nullptr;
    std::vector<HWND> controls_;
    std::vector<bool> hasToolTip_;
    HWND toolTips_ = nullptr;
    std::vector<std::pair<FontSpec, HFONT>> fonts_;
    int dpi_ = 96;
};

// Creates the font that `font` describes, at `dpi`. One without a face gives the system's dialog font face
// (at 8.25 points when it has no size either). The caller deletes it.
HFONT CreatePointFont(const FontSpec& font, int dpi);

// Sizes `window` so that its client area is `client` pixels at `dpi`, for its own styles.
void SizeWindowForClient(HWND window, const PixelBox& client, int dpi);

// Centres `window` over `over` when given, else on the monitor it is on; kept on that monitor.
void CentreWindow(HWND window, HWND over = nullptr);

// A form's window: its class, caption and styles, and its background (the button face when null).
struct FormWindow {
    const char* className;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    HBRUSH background = nullptr;
};

// Where a new form goes once its size is known.
enum class FormPosition {
    AsCreated,  // where it was created; the form places itself later
    Centred,    // centred on the monitor it is on
    OverOwner,  // centred over its owner
};

// Registers the class of `window` for FormWindowProc<Form> and creates the window hidden, owned by
// `owner`, over `bounds`, with `form` attached. Returns the window, or null on failure.
HWND CreateFormWindow(HINSTANCE instance, const FormWindow& window, HWND owner, WNDPROC windowProc, void* form,
                      const RECT& bounds);

// Creates the controls of `table` into `controls`, places them at the window's DPI and positions
// the window. Destroys the window and returns false when a control could not be created.
bool BuildForm(HWND form, HWND owner, FormControls& controls, const FormTable& table, FormPosition position);

// Creates a form with its controls: the window (hidden, owned by `owner`, attached to `form`),
// then the controls of `table` in `controls`, sized for the window's DPI and positioned. Returns
// the window, or null when it or one of its controls could not be created (nothing is left then).
template <class Form>
HWND CreateForm(HINSTANCE instance, const FormWindow& window, HWND owner, Form& form, FormControls& controls,
                const FormTable& table, FormPosition position) {
    HWND created = CreateFormWindow(instance, window, owner, FormWindowProc<Form>, &form, RECT{});
    return created && BuildForm(created, owner, controls, table, position) ? created : nullptr;
}

// Creates a form that draws all of itself, without controls, hidden over `bounds`.
template <class Form>
HWND CreateForm(HINSTANCE instance, const FormWindow& window, HWND owner, Form& form, const RECT& bounds) {
    return CreateFormWindow(instance, window, owner, FormWindowProc<Form>, &form, bounds);
}

// WM_DPICHANGED of a form: moves the window to the place Windows suggests in `lParam`, when it
// gives one, and places the controls at the new DPI. Any program can send this message, with a
// null lParam too (the window then stays where it is) or a DPI of 0 (ignored). Returns true when
// the controls were placed anew, so that the form can redo what depends on the DPI.
bool HandleDpiChanged(HWND form, FormControls& controls, WPARAM wParam, LPARAM lParam);
