#pragma once

#include <QString>
#include <map>
#include <vector>

class CLabelFormat;
struct LabelLines;

// What fitting did to one label of a job, for the labels where it did more than choose a
// size: the user is told about labels that lost text or were squeezed out of shape.
struct LabelFit {
    int label = 0;          // 1-based number in the label list
    int startSize = 0;      // points the search started from
    int finalSize = 0;      // points the text is drawn at
    bool atFloor = false;   // drawn at the smallest size or below it
    bool split = false;     // the widest line was split in two
    bool overflows = false; // the lines do not fit even at the final size
    int droppedLines = 0;   // lines after the eighth, not printed
    int cutLines = 0;       // lines cut at the byte limit

    // Made from a label's lines and the format that has drawn them.
    static LabelFit of(int label, const LabelLines& lines, const CLabelFormat& format);

    // Split, cut, short of lines or overflowing: worth a warning before printing.
    bool misfit() const { return split || overflows || droppedLines > 0 || cutLines > 0; }
    // Anything beyond choosing a size that fits: a misfit, or a shrink to the smallest size.
    bool notable() const { return misfit() || atFloor; }
    // A short account for the user, e.g. "Text too long — will be split".
    QString description() const;

    bool operator==(const LabelFit&) const = default;
};

// The notable labels of a job, by label number.
class FitReport {
public:
    // Keeps the fit when it is notable; a label fitted again replaces its earlier entry.
    void add(const LabelFit& fit);
    void clear() { fits.clear(); }

    const std::map<int, LabelFit>& all() const { return fits; }
    // The numbers of the misfit labels, ascending.
    std::vector<int> misfits() const;
    // The entry for a label, or nullptr when fitting it was unremarkable.
    const LabelFit* find(int label) const;

    // "3 labels do not fit their label: 12, 45, 46." with at most ten numbers listed.
    static QString summary(const std::vector<int>& labels);
    // The question asked before printing: the summary and "Print anyway?".
    static QString question(const std::vector<int>& labels);

    static constexpr int kListedNumbers = 10;

private:
    std::map<int, LabelFit> fits;
};
