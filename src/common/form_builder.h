// Builds a form's controls from its table (form_table.h) and places them at the window's DPI:
// the one way every window of both programs gets its controls, frame size, position and fonts.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "common/form_table.h"

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
