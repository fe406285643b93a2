// Which static text labels which field, read from the template's geometry alone, so that
// every backend names a field after the same text.
#include "framework/backend.h"

#include <algorithm>
#include <optional>

namespace {

// A control's rectangle in dialog units, right and bottom inclusive.
struct Box {
    int left, top, right, bottom;
};

// A combo box's template height includes its dropped-down list; its closed box is what a
// label beside it names.
constexpr int kClosedComboHeight = 14;

Box BoxOf(const ControlTemplate& c) {
    const int height = c.kind == ControlKind::ComboBox ? std::min(c.cy, kClosedComboHeight) : c.cy;
    return {c.x, c.y, c.x + c.cx - 1, c.y + height - 1};
}

bool IsLabel(const ControlTemplate& c) {
    return c.kind == ControlKind::Static && c.id == IDC_STATIC && !c.text.empty();
}

// How far `label` is from `field`, any label to the left nearer than any above; none when
// it is neither.
std::optional<int> Distance(const Box& label, const Box& field) {
    const bool leftOf =
        label.right <= field.left + 2 && label.top <= field.bottom && label.bottom >= field.top;
    if (leftOf)
        return field.left - label.right;
    const bool above =
        label.bottom <= field.top + 2 && label.left <= field.right && label.right >= field.left;
    if (above)
        return 10000 + field.top - label.bottom;
    return std::nullopt;
}

} // namespace

std::vector<std::pair<std::size_t, std::size_t>> FieldLabels(const DialogTemplate& tpl) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    const auto& all = tpl.controls;
    for (std::size_t fi = 0; fi < all.size(); ++fi) {
        if (all[fi].kind != ControlKind::Edit && all[fi].kind != ControlKind::ComboBox)
            continue;
        const Box field = BoxOf(all[fi]);
        std::optional<std::size_t> best;
        int bestDistance = 0;
        for (std::size_t li = 0; li < all.size(); ++li) {
            if (!IsLabel(all[li]))
                continue;
            const auto distance = Distance(BoxOf(all[li]), field);
            if (distance && *distance >= 0 && (!best || *distance < bestDistance)) {
                best = li;
                bestDistance = *distance;
            }
        }
        if (best)
            pairs.emplace_back(fi, *best);
    }
    return pairs;
}
