#include "common/form_table.h"

#include <algorithm>
#include <numeric>

#include "common/twips.h"

namespace {
const FormRow& Row(const FormTable& form, int row) { return form.rows[static_cast<size_t>(row)]; }
}  // namespace

PixelBox PlaceInContainer(const FormTable& form, int row, int dpi) {
    const FormRow& r = Row(form, row);
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

PixelBox PlaceInForm(const FormTable& form, int row, int dpi) {
    PixelBox box = PlaceInContainer(form, row, dpi);
    for (int inside = Row(form, row).inside; inside != kInsideForm; inside = Row(form, inside).inside) {
        const PixelBox outer = PlaceInContainer(form, inside, dpi);
        box.left += outer.left;
        box.top += outer.top;
    }
    return box;
}

int RoomToTheRight(const FormTable& form, int row, int dpi) {
    const PixelBox box = PlaceInContainer(form, row, dpi);
    const int inside = Row(form, row).inside;
    const int containerWidth =
        inside == kInsideForm ? ClientArea(form, dpi).width : PlaceInContainer(form, inside, dpi).width;
    int room = containerWidth - box.left;
    for (int other = 0; other < static_cast<int>(form.rows.size()); ++other) {
        if (other == row || Row(form, other).inside != inside) continue;
        const PixelBox next = PlaceInContainer(form, other, dpi);
        const bool sharesRows = next.top < box.top + box.height && box.top < next.top + next.height;
        if (sharesRows && next.left >= box.left + box.width) room = std::min(room, next.left - box.left);
    }
    return std::max(room, box.width);
}

PixelBox ClientArea(const FormTable& form, int dpi) {
    return {0, 0, TwipsToPixels(form.clientWidth, dpi), TwipsToPixels(form.clientHeight, dpi)};
}

bool HiddenAtStart(const FormTable& form, int row) {
    for (int current = row; current != kInsideForm; current = Row(form, current).inside) {
        if (Row(form, current).state & kHidden) return true;
    }
    return false;
}

std::vector<int> TabOrder(const FormTable& form) {
    std::vector<int> order(form.rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Row(form, a).tab < Row(form, b).tab; });
    return order;
}

int FontPixelHeight(int centipoints, int dpi) {
    const long long scaled = static_cast<long long>(centipoints) * dpi;
    return static_cast<int>((scaled + 3600) / 7200);
}
