// Reading the interactive prompt's lines from a terminal: with line editing
// and a history kept in ~/.duriz_history where the host is built with
// libedit, plain line reading otherwise.
#ifndef DURIZ_HOST_LINE_EDITOR_H
#define DURIZ_HOST_LINE_EDITOR_H

#include <memory>
#include <string>

class LineEditor {
public:
    enum class Read { kLine, kInterrupted, kEnd };

    LineEditor();
    ~LineEditor();
    LineEditor(const LineEditor &) = delete;
    LineEditor &operator=(const LineEditor &) = delete;

    // Shows the prompt and reads one line, without its newline and without
    // control bytes or terminal escape sequences. kInterrupted: a signal
    // stopped the reading (the line holds what was typed so far); kEnd: the
    // end of input.
    Read Get(const char *prompt, std::string *line);
    // Adds a line to the history (and to the history file, when there is one).
    void Remember(const std::string &line);

private:
    struct Editor;
    std::unique_ptr<Editor> editor_;  // null: plain reading
};

// The line with terminal escape sequences (an arrow key, a function key)
// and control bytes other than tab taken out.
std::string WithoutControls(const std::string &line);

#endif
