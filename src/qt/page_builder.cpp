#include "qt/page_builder.h"

#include "qt/binding.h"
#include "qt/fonts.h"
#include "qt/preview_widget.h"
#include "qt/updown.h"
#include "ui/control_spec.h"
#include "ui/ids/layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <vector>

namespace qz::qt {

namespace {

using ui::ControlSpec;
using ui::Kind;

QWidget* create_widget(const ControlSpec& spec, QWidget* parent) {
    switch (spec.kind) {
        case Kind::Button: return new QPushButton(parent);
        case Kind::Check: return new QCheckBox(parent);
        case Kind::Radio: {
            auto* radio = new QRadioButton(parent);
            radio->setAutoExclusive(false);  // the model checks and unchecks the group
            return radio;
        }
        case Kind::Edit: {
            auto* edit = new QLineEdit(parent);
            edit->setReadOnly(spec.flags & ui::kReadOnly);
            if (spec.flags & ui::kDigitsOnly)
                edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
            if (spec.flags & ui::kRightAligned) {
                edit->setAlignment(Qt::AlignRight);
                edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("00000") + 12);
            } else {
                edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("0000000000000") + 12);
            }
            return edit;
        }
        case Kind::Combo: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(spec.flags & ui::kComboEditable);
            return combo;
        }
        case Kind::List: {
            auto* view = new QListView(parent);
            view->setUniformItemSizes(true);  // large lists lay out in constant time
            view->setEditTriggers(QAbstractItemView::NoEditTriggers);
            view->setSelectionMode((spec.flags & ui::kNoSelect) ? QAbstractItemView::NoSelection
                                                                  : QAbstractItemView::SingleSelection);
            view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            if (spec.flags & ui::kMonospace) view->setFont(listing_font());
            return view;
        }
        case Kind::TrackBar: return new QSlider(Qt::Horizontal, parent);
        case Kind::UpDown: return new UpDown(parent);
        case Kind::Static: {
            auto* label = new QLabel(parent);
            label->setTextInteractionFlags(Qt::NoTextInteraction);
            // Long hints wrap instead of widening the page past the window.
            if (std::string_view(spec.caption).size() > 32) label->setWordWrap(true);
            return label;
        }
        case Kind::Group: return new QGroupBox(parent);
        case Kind::Preview: return new PreviewWidget(parent);
        case Kind::Tab: return nullptr;
    }
    return nullptr;
}

// One visual block of a page: a group box (with its nested groups) or a control outside any group.
struct Block {
    QWidget* widget = nullptr;
    int weight = 0;  // rows
};

constexpr int kBlockSpacing = 4;
// The widest a page may grow by taking more columns: pages then fit a 1366 x 768 screen whole.
constexpr int kMaxPageWidth = 1180;
constexpr int kMaxColumns = 4;
// The column beside a preview picture.
constexpr const char* kPreviewSideName = "preview_side";

// Where each column starts when `blocks` are cut, in reading order, into `columns` columns with the
// lowest tallest column (few blocks: every cut is tried).
std::vector<size_t> lowest_cut(const std::vector<int>& heights, size_t columns, int& tallest) {
    const size_t n = heights.size();
    // best[c][i]: the lowest tallest column for the first i blocks in c columns; from[c][i]: where the last starts.
    constexpr int kUnreachable = 1 << 29;
    std::vector<std::vector<int>> best(columns + 1, std::vector<int>(n + 1, kUnreachable));
    std::vector<std::vector<size_t>> from(columns + 1, std::vector<size_t>(n + 1, 0));
    best[0][0] = 0;
    for (size_t c = 1; c <= columns; ++c) {
        for (size_t i = 1; i <= n; ++i) {
            int height = -kBlockSpacing;
            for (size_t start = i; start-- > 0;) {
                height += heights[start] + kBlockSpacing;
                const int tallest_here = std::max(best[c - 1][start], height);
                if (best[c - 1][start] < kUnreachable && tallest_here < best[c][i]) {
                    best[c][i] = tallest_here;
                    from[c][i] = start;
                }
            }
        }
    }
    tallest = best[columns][n];
    std::vector<size_t> starts(columns);
    for (size_t c = columns, i = n; c > 0; --c) {
        starts[c - 1] = from[c][i];
        i = from[c][i];
    }
    return starts;
}

// The columns of a page: of the cuts into one to four columns, the lowest that keeps the page within
// kMaxPageWidth; fewer columns when they are as low.
std::vector<size_t> column_starts(const std::vector<Block>& blocks) {
    std::vector<int> heights;
    for (const Block& b : blocks) heights.push_back(b.widget->sizeHint().height());
    std::vector<size_t> chosen{0};
    int chosen_height = 1 << 29;
    for (size_t columns = 1; columns <= std::min<size_t>(kMaxColumns, blocks.size()); ++columns) {
        int tallest = 0;
        std::vector<size_t> starts = lowest_cut(heights, columns, tallest);
        int width = 0;
        for (size_t c = 0; c < starts.size(); ++c) {
            const size_t end = c + 1 < starts.size() ? starts[c + 1] : blocks.size();
            int column_width = 0;
            for (size_t i = starts[c]; i < end; ++i) column_width = std::max(column_width, blocks[i].widget->sizeHint().width());
            width += column_width + kBlockSpacing;
        }
        if ((width <= kMaxPageWidth || columns == 1) && tallest < chosen_height) {
            chosen = starts;
            chosen_height = tallest;
        }
    }
    return chosen;
}

class PageLayout {
public:
    PageLayout(int dialog, Binding& binding, QWidget* page) : dialog_(dialog), binding_(binding), page_(page) {
        for (const ControlSpec& s : ui::catalogue())
            if (s.dialog == dialog) specs_.push_back(&s);
    }

    std::vector<Block> blocks() {
        std::vector<Block> result;
        std::vector<const ControlSpec*> loose;  // consecutive controls outside any group box
        auto flush_loose = [&] {
            if (loose.empty()) return;
            auto* holder = new QWidget(page_);
            auto* grid = new QGridLayout(holder);
            grid->setContentsMargins(0, 0, 0, 0);
            grid->setVerticalSpacing(2);
            result.push_back({holder, fill_grid(loose, holder, grid)});
            loose.clear();
        };
        for (const ControlSpec* s : specs_) {
            if (s->box != 0 || placed_.count(s)) continue;
            if (s->kind == Kind::Group) {
                flush_loose();
                result.push_back(group_block(*s, page_));
            } else {
                // A list starts a block of its own, so a picture and a list can stand side by side.
                if (s->kind == Kind::List) flush_loose();
                loose.push_back(s);
            }
        }
        flush_loose();
        return result;
    }

    // The picture of a preview page with its navigation under it: the step buttons around the current
    // frame box, then the slider across the picture's width. Nothing when the page has no picture.
    QWidget* viewer() {
        auto picture = std::find_if(specs_.begin(), specs_.end(), [](const ControlSpec* s) { return s->kind == Kind::Preview; });
        if (picture == specs_.end()) return nullptr;
        auto* holder = new QWidget(page_);
        auto* column = new QVBoxLayout(holder);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(4);
        column->addWidget(make_control_widget(dialog_, (*picture)->id, binding_, holder), 1);
        placed_.insert(*picture);
        auto* steps = new QGridLayout();
        for (const ControlSpec* s : specs_) {
            if (starts_step_row(specs_, s)) {
                add_step_row(specs_, s, holder, steps, 0, true);
                break;
            }
        }
        column->addLayout(steps);
        for (const ControlSpec* s : specs_) {
            if (s->kind != Kind::TrackBar || placed_.count(s)) continue;
            column->addWidget(make_control_widget(dialog_, s->id, binding_, holder));
            placed_.insert(s);
        }
        return holder;
    }

private:
    Block group_block(const ControlSpec& group, QWidget* parent) {
        auto* box = static_cast<QGroupBox*>(make_control_widget(dialog_, group.id, binding_, parent));
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(6, 4, 6, 4);
        grid->setVerticalSpacing(2);
        std::vector<const ControlSpec*> members;
        for (const ControlSpec* s : specs_)
            if (s->box == group.id) members.push_back(s);
        int rows = cells_grid(members, box, grid) ? 9 : fill_grid(members, box, grid);
        return {box, rows + 1};
    }

    // The 64 cells of a matrix as 8 rows of 8.
    bool cells_grid(const std::vector<const ControlSpec*>& members, QWidget* box, QGridLayout* grid) {
        int edits = 0;
        for (const ControlSpec* s : members) edits += s->kind == Kind::Edit;
        if (edits < 64) return false;
        int n = 0;
        for (const ControlSpec* s : members) {
            QWidget* w = make_control_widget(dialog_, s->id, binding_, box);
            if (s->kind == Kind::Edit) {
                grid->addWidget(w, n / 8, n % 8);
                ++n;
            } else {
                grid->addWidget(w, 8 + n++, 0, 1, 8);
            }
        }
        return true;
    }

    int fill_grid(const std::vector<const ControlSpec*>& members, QWidget* box, QGridLayout* grid) {
        int row = 0;
        bool label_waiting = false;  // a label in column 0 waits for its field
        const ControlSpec* previous = nullptr;
        for (const ControlSpec* s : members) {
            QWidget* w = nullptr;
            if (s->kind == Kind::Group) {
                Block nested = group_block(*s, box);
                grid->addWidget(nested.widget, row++, 0, 1, 3);
                label_waiting = false;
                previous = s;
                continue;
            }
            if (starts_step_row(members, s)) {
                row = add_step_row(members, s, box, grid, row);
                label_waiting = false;
                previous = nullptr;
                continue;
            }
            if (placed_.count(s)) continue;
            w = make_control_widget(dialog_, s->id, binding_, box);
            bool is_label = s->kind == Kind::Static && s->id >= ui::layout_ids::kFirstLabel;
            if (is_label && previous && is_field(*previous) && !label_waiting && is_unit(members, s)) {
                grid->addWidget(w, row - 1, 2);  // a unit after its value ("sec", "frames")
            } else if (s->kind == Kind::UpDown && previous && previous->kind == Kind::Edit && row > 0) {
                grid->addWidget(w, row - 1, 2);
            } else if (label_waiting && is_field(*s)) {
                grid->addWidget(w, row - 1, 1);
                label_waiting = false;
            } else if (is_label) {
                grid->addWidget(w, row++, 0);
                label_waiting = true;
            } else {
                grid->addWidget(w, row++, 0, 1, 3);
                label_waiting = false;
            }
            previous = s;
        }
        grid->setColumnStretch(1, 1);
        return row;
    }

    // Controls that stand beside their label on one row.
    static bool is_field(const ControlSpec& s) {
        return s.kind == Kind::Edit || s.kind == Kind::Combo || s.kind == Kind::TrackBar ||
               (s.kind == Kind::Static && s.id < ui::layout_ids::kFirstLabel);
    }

    // A label right after a value is its unit unless a value of its own follows it.
    static bool is_unit(const std::vector<const ControlSpec*>& members, const ControlSpec* s) {
        auto it = std::find(members.begin(), members.end(), s);
        return it + 1 == members.end() || !is_field(**(it + 1));
    }

    // Frame-step buttons ("<<<" .. ">>>") and the frame box between them read as one row.
    static bool is_step_button(const ControlSpec* s) {
        return s->kind == Kind::Button && std::string_view(s->caption).size() <= 3 &&
               std::string_view(s->caption).find_first_not_of("<>^v") == std::string_view::npos;
    }

    bool starts_step_row(const std::vector<const ControlSpec*>& members, const ControlSpec* s) const {
        if (placed_.count(s) || !is_step_button(s)) return false;
        auto it = std::find(members.begin(), members.end(), s);
        return it + 1 != members.end() && (is_step_button(*(it + 1)) || (*(it + 1))->kind == Kind::Edit);
    }

    int add_step_row(const std::vector<const ControlSpec*>& members, const ControlSpec* first, QWidget* box,
                     QGridLayout* grid, int row, bool centred = false) {
        auto* line = new QHBoxLayout();
        line->setSpacing(3);
        if (centred) line->addStretch(1);
        for (auto it = std::find(members.begin(), members.end(), first); it != members.end(); ++it) {
            const ControlSpec* s = *it;
            if (!is_step_button(s) && s->kind != Kind::Edit) break;
            QWidget* w = make_control_widget(dialog_, s->id, binding_, box);
            if (s->kind == Kind::Button) w->setMaximumWidth(w->fontMetrics().horizontalAdvance("<<<<") + 16);
            line->addWidget(w);
            placed_.insert(s);
        }
        line->addStretch(1);
        grid->addLayout(line, row, 0, 1, 3);
        return row + 1;
    }

    int dialog_;
    Binding& binding_;
    QWidget* page_;
    std::vector<const ControlSpec*> specs_;
    std::set<const ControlSpec*> placed_;
};

}  // namespace

QWidget* make_control_widget(int dialog, int id, Binding& binding, QWidget* parent) {
    const ControlSpec* spec = nullptr;
    for (const ControlSpec& s : ui::catalogue())
        if (s.dialog == dialog && s.id == id) spec = &s;
    QWidget* w = spec ? create_widget(*spec, parent) : nullptr;
    if (!w) return new QWidget(parent);
    w->setObjectName(QStringLiteral("c%1_%2").arg(dialog).arg(id));
    binding.attach(dialog, id, w);
    return w;
}

QWidget* build_page(int dialog, Binding& binding, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    PageLayout layout(dialog, binding, page);
    if (QWidget* viewer = layout.viewer()) {
        // A preview page: the picture takes what room there is, the lists and buttons stand beside it.
        auto* row = new QHBoxLayout(page);
        row->setContentsMargins(6, 6, 6, 6);
        row->addWidget(viewer, 1);
        auto* side = new QWidget(page);
        auto* column = new QVBoxLayout(side);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(kBlockSpacing);
        // A list takes the height the buttons leave.
        for (const Block& b : layout.blocks()) {
            b.widget->setParent(side);
            column->addWidget(b.widget, b.widget->findChild<QListView*>() ? 1 : 0);
        }
        side->setObjectName(QString::fromLatin1(kPreviewSideName));
        row->addWidget(side);
        scroll->setWidget(page);
        return scroll;
    }
    std::vector<Block> blocks = layout.blocks();
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(6, 6, 6, 6);
    QVBoxLayout* current = nullptr;
    size_t next_column = 0;
    const std::vector<size_t> starts = column_starts(blocks);
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (next_column < starts.size() && starts[next_column] == i) {
            if (current) current->addStretch(1);
            current = new QVBoxLayout();
            current->setSpacing(kBlockSpacing);
            row->addLayout(current);  // no stretch: a column never gets less than it asks for
            ++next_column;
        }
        current->addWidget(blocks[i].widget);
    }
    if (current) current->addStretch(1);
    scroll->setWidget(page);
    return scroll;
}

void match_preview_side_columns(QWidget& window) {
    const QList<QWidget*> sides = window.findChildren<QWidget*>(QString::fromLatin1(kPreviewSideName));
    int width = 0;
    for (QWidget* side : sides) width = std::max(width, side->sizeHint().width());
    for (QWidget* side : sides) side->setFixedWidth(width);
}

}  // namespace qz::qt
