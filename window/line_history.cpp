#include "window/line_history.hpp"

namespace zarn {

namespace {

// The key only typed itself: the evaluation left the line as it was, or added the one space
// that ends a number ("1" and Space give "1 ").
bool onlyTyped(std::string_view before, std::string_view after) {
    return after == before ||
           (after.size() == before.size() + 1 && after.back() == ' ' && after.substr(0, before.size()) == before);
}

}  // namespace

LineHistory::LineHistory(std::size_t capacity) : capacity_(capacity), lines_(1) {}

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
        // The typed line goes where a redo finds it; with the step's line it fits (canUndo).
        dropRedoable();
        append(current);
        dropOldestBeyondCapacity();
        return lines_[at_];
    }
    return lines_[--at_];
}

std::optional<std::string> LineHistory::redo(std::string_view current) {
    if (lines_.empty() || typedSinceStep(current) || at_ + 1 == lines_.size()) return std::nullopt;
    return lines_[++at_];
}

bool LineHistory::canUndo(std::string_view current) const {
    if (lines_.empty()) return false;
    if (typedSinceStep(current)) return lines_[at_].size() + current.size() <= capacity_;
    return at_ > 0;
}

void LineHistory::append(std::string_view line) {
    lines_.emplace_back(line);
    bytes_ += line.size();
}

void LineHistory::dropRedoable() {
    while (lines_.size() > at_ + 1) {
        bytes_ -= lines_.back().size();
        lines_.pop_back();
    }
}

// The lines kept last are the newest, so only the oldest go; a line the history stands at goes
// only when it alone is beyond the capacity, and then every line has gone.
void LineHistory::dropOldestBeyondCapacity() {
    while (bytes_ > capacity_ && !lines_.empty()) {
        bytes_ -= lines_.front().size();
        lines_.pop_front();
        if (at_ > 0) --at_;
    }
}

}  // namespace zarn
