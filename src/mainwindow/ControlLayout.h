#pragma once

#include <QRect>
#include <QSize>
#include <vector>

// Keeps the main window's controls anchored to the edges as the window is resized: each
// control keeps its distance from the left or right edge (or both, and then grows), and
// likewise from the top or bottom.
class ControlLayout {
public:
    enum class Horizontal { Left, Right, Both };
    enum class Vertical { Top, Bottom, Both };

    struct Rule {
        int id;
        Horizontal h;
        Vertical v;
    };

    explicit ControlLayout(std::vector<Rule> rules) : rules_(std::move(rules)) {}

    // Measures every control once, in client coordinates, against the client size.
    template <typename RectOf> void record(QSize client, RectOf rectOf) {
        records_.clear();
        for (const Rule& r : rules_) {
            const QRect rc = rectOf(r.id);
            records_.push_back({rc.left(), rc.top(), rc.width(), rc.height(),
                                client.width() - (rc.left() + rc.width()),
                                client.height() - (rc.top() + rc.height())});
        }
    }

    // Where control `index` (in rule order) goes for the given client size.
    QRect place(std::size_t index, QSize client) const;

    const std::vector<Rule>& rules() const { return rules_; }

    // The smallest window, frame and menu included.
    static constexpr int kMinWidth = 500;
    static constexpr int kMinHeight = 645;
    enum Edge { LeftEdge = 1, TopEdge = 2, RightEdge = 4, BottomEdge = 8 };
    // Enforces the minimum size on a proposed window rectangle while `edges` are dragged:
    // the dragged edge gives way, the opposite one stays.
    static QRect enforceMinimum(QRect proposed, int edges);

private:
    struct Record {
        int left, top, width, height, right, bottom;
    };
    std::vector<Rule> rules_;
    std::vector<Record> records_;
};
