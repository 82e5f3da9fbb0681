#include "window/line_history.hpp"

namespace zarn {

namespace {

// The key only typed itself: the evaluation left the line as it was, or added the one space
// that ends a number ("1" and Space give "1 ").
bool onlyTyped(std::string_view before, std::string_view after) {
    return after == before ||
           (after.size() == before.size() + 1 && after.back() == ' ' && after.substr(0, before.size()) == before);
}

// What a line costs beside its text: a string object in one of the deque's heap blocks of 512
// bytes (16 strings), and its share of that block's heap header and of the deque's map, which
// points at each block and grows by doubling to as many as four pointers a block: 3 bytes.
constexpr std::size_t perLine = sizeof(std::string) + 3;

// A heap block for `bytes`, as allocators give them: in 16-byte steps, with a header.
constexpr std::size_t heapBlock(std::size_t bytes) { return 16 + (bytes + 15) / 16 * 16; }

}  // namespace

LineHistory::LineHistory(std::size_t capacity) : capacity_(capacity), lines_(1), bytes_(costOf(0)) {}

// A string made from a view holds it in its own object when it fits there, else in a heap block
// of its length and an ending zero.
std::size_t LineHistory::costOf(std::size_t length) {
    const std::size_t inPlace = std::string().capacity();  // what a string holds in its own object
    return perLine + (length > inPlace ? heapBlock(length + 1) : 0);
}

void LineHistory::recordEvaluation(std::string_view before, std::string_view after) {
    if (onlyTyped(before, after)) return;
    dropRedoable();
    if (lines_.empty() || typedSinceStep(before)) append(before);
    append(after);
    at_ = lines_.size() - 1;
    dropOldestBeyondCapacity();
}

std::optional<std::string> LineHistory::undo(std::string_view current) {
    if (!canUndo(current)) return std::nullopt;
    if (typedSinceStep(current)) {
        // The typed line goes where a redo finds it, when it fits beside the step's line; older
        // lines go to make room for it.
        dropRedoable();
        if (costOf(lines_[at_].size()) + costOf(current.size()) <= capacity_) {
            append(current);
            dropOldestBeyondCapacity();
        }
        return lines_[at_];
    }
    return lines_[--at_];
}

std::optional<std::string> LineHistory::redo(std::string_view current) {
    if (lines_.empty() || typedSinceStep(current) || at_ + 1 == lines_.size()) return std::nullopt;
    return lines_[++at_];
}

bool LineHistory::canUndo(std::string_view current) const {
    return !lines_.empty() && (typedSinceStep(current) || at_ > 0);
}

void LineHistory::append(std::string_view line) {
    lines_.emplace_back(line);
    bytes_ += costOf(line.size());
}

void LineHistory::dropRedoable() {
    while (lines_.size() > at_ + 1) {
        bytes_ -= costOf(lines_.back().size());
        lines_.pop_back();
    }
}

// The lines kept last are the newest, so only the oldest go; a line the history stands at goes
// only when it alone is beyond the capacity, and then every line has gone.
void LineHistory::dropOldestBeyondCapacity() {
    while (bytes_ > capacity_ && !lines_.empty()) {
        bytes_ -= costOf(lines_.front().size());
        lines_.pop_front();
        if (at_ > 0) --at_;
    }
}

}  // namespace zarn
