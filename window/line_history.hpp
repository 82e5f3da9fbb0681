#pragma once
// The history of the input line, decided without any window system: the lines shown at the edges
// of each evaluation, walked back by undo and forward by redo. The Win32 input line keeps one,
// tells it of each evaluation and shows the line an undo or a redo gives.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace zarn {

class LineHistory {
public:
    static constexpr std::size_t defaultCapacity = 16 * 1024 * 1024;

    // A history that stands at the empty line the window opens with, and holds lines costing at
    // most `capacity` bytes of memory (costOf): beyond that the oldest lines go (so undo then
    // stops at the oldest line left), and a line costing more than the whole capacity empties the
    // history.
    explicit LineHistory(std::size_t capacity = defaultCapacity);

    // What keeping a line of `length` bytes costs in memory, roughly, as the capacity counts it:
    // the string object in the deque's storage with its share of the deque's map, and text beyond
    // the string's own buffer in a heap block. Short lines cost far more than their text.
    static std::size_t costOf(std::size_t length);

    // An evaluation turned `before`, the line as the user left it, into `after`. It is a step:
    // the lines that could have been redone go, then `before` (unless it is the line the history
    // stands at, nothing typed since) and `after` are kept, and the history stands at `after`.
    // An evaluation whose `after` is `before`, or `before` with one space added (Space after a
    // number), changed no more than typing would: it is no step, and the line counts as typed.
    void recordEvaluation(std::string_view before, std::string_view after);

    // The line an undo gives when the control holds `current`, or nothing when there is nothing
    // to undo. A `current` other than the line the history stands at is text typed since the last
    // step: the undo gives that step's line back, and keeps `current` as the one line a redo then
    // gives (the lines that could have been redone before go). Typed text that does not fit in
    // the capacity beside that step's line is undone all the same, but not kept: no redo brings
    // it back. Otherwise the undo gives the line before.
    std::optional<std::string> undo(std::string_view current);

    // The line a redo gives when the control holds `current`: the next line, or nothing when the
    // history stands at its latest line, or when text was typed since (the typed text stays).
    std::optional<std::string> redo(std::string_view current);

    // Whether undo(current) would give a line: there is text typed since the last step, or a step
    // before it.
    bool canUndo(std::string_view current) const;

    // The memory the kept lines take, as costOf counts it; at most the capacity.
    std::size_t bytes() const { return bytes_; }

private:
    void append(std::string_view line);
    void dropRedoable();
    void dropOldestBeyondCapacity();
    bool typedSinceStep(std::string_view current) const { return current != lines_[at_]; }

    std::size_t capacity_;
    std::deque<std::string> lines_;  // oldest first; two neighbours never equal
    std::size_t at_ = 0;             // the line the history stands at, when there are lines
    std::size_t bytes_;
};

}  // namespace zarn
