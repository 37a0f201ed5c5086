// The variables of a call of a script function. The names its body can
// declare (each `var name` and each `for ... in` variable) are known from
// the body, so each gets a cell of its own, found by its position in the
// function's table; a cell stays empty until its name is declared, and
// while it is empty the name is not a local at all (it reads from the
// arguments, this or the window).
#ifndef DURIZ_INTERP_LOCALS_H
#define DURIZ_INTERP_LOCALS_H

#include "builtins/function.h"
#include "engine/shared.h"
#include "values/object.h"

class JsLocals : public JsObject {
public:
    // The locals of a call of function (which has a table of names), or
    // null when memory runs out.
    static JsLocals *Make(JsFunction *function);
    ~JsLocals() override;

    // The cell of a name, or -1 when the body declares no such name.
    int CellOf(const char *name) const {
        for (int32_t i = 0; i < count_; i++)
            if (names_[i][0] == name[0] && SameName(names_[i], name)) return i;
        return -1;
    }
    // What an identifier learnt of its cell from its function's names: the
    // cell, kNoCell (the body declares no such name) or kUnknown (nothing
    // learnt, or learnt of other locals).
    static constexpr int kNoCell = -1, kUnknown = -2;
    int LearntCell(const JsToken *site) const {
        if (!(site->numberKnown & JsToken::kCellKnown)) return kUnknown;
        const int i = site->id.cell;
        return i < count_ ? i : kUnknown;
    }
    // The cell of an identifier's name, from what the node learnt of its
    // function's names when it has.
    int CellAt(const JsToken *site) const {
        const int i = LearntCell(site);
        return i != kUnknown ? i : CellOf(site->text);
    }
    // The declared value of a cell, or null while it is not declared.
    JsValue *Cell(int i) const { return cells_[i]; }
    // Applies an assignment to a cell: declared ones take it; an empty one
    // takes it only when create is set (it then starts from null). Answers
    // the cell's value, null when the store is refused.
    JsValue *StoreCell(int i, JsValue *value, int op, int create) {
        JsValue **cell = &cells_[i];
        if (!*cell) {
            // A new variable holds null until its first assignment, as a
            // new slot does.
            if (!create) return nullptr;
            AssignRef(cell, g_shared.nullValue);
        }
        return ApplyToPlace(cell, value, op);
    }

    // What any look-up sees: a declared cell, else what a plain object
    // without slots answers.
    JsValue *GetProperty(const char *name) override;
    JsValue *PutProperty(const char *name, JsValue *value, int op, int create) override;
    void ForEachReference(Visitor visit, void *context) override;

    // The locals of a finished call that nothing else holds, emptied (no
    // name declared) and kept by their function for its next call; the
    // function keeps up to kKept. False when it keeps that many already.
    static bool Keep(JsLocals *locals);
    // Locals kept for a call of function (with no holder yet), or null.
    static JsLocals *TakeKept(JsFunction *function);
    static constexpr int kKept = 8;

private:
    JsLocals() { localCells = true; }
    JsFunction *function_ = nullptr;  // counted: its table names the cells
    const char **names_ = nullptr;
    int32_t count_ = 0;
    static constexpr int kInlineCells = 6;
    JsValue **cells_ = inline_;
    JsValue *inline_[kInlineCells] = {};
};

#endif
