// Function values: script functions carry a compiled definition, built-in
// functions only their native id (1000-1116) or constructor id (2000-2033).
#ifndef DURIZ_BUILTINS_FUNCTION_H
#define DURIZ_BUILTINS_FUNCTION_H

#include <cstdint>

#include "values/value.h"

class JsArray;
class JsHostObject;
class JsObject;
class JsToken;
struct JsScript;

class JsFunction : public JsContainer {
public:
    int32_t id = 0;
    JsObject *prototype = nullptr;  // counted
    JsObject *members = nullptr;    // counted
    JsToken *definition = nullptr;  // not owned
    JsScript *script = nullptr;     // counted through the script's refs
    JsObject *owner = nullptr;      // counted
    // The window a top-level declaration was made in, not counted: the
    // window lets go of its functions when it goes, so this never dangles.
    JsHostObject *boundWindow = nullptr;
    JsFunction *nextBound = nullptr;  // the window's other functions
    JsFunction *prevBound = nullptr;
    int8_t declares = -1;           // whether Body() declares; -1 until asked
    int8_t keptCount = 0;
    JsArray *kept = nullptr;        // counted: argument lists for the next calls
    JsObject *keptLocals = nullptr; // counted: emptied locals for the next calls, linked through internal
    int8_t keptLocalsCount = 0;
    bool paramsLearnt = false;
    int32_t paramCount = 0;
    int32_t localCount = 0;
    const char **localNames = nullptr;  // the texts of the body's declared names
    const char **paramNames = nullptr;  // the texts of definition's parameters

    // A native function or constructor with the given id.
    static JsFunction *MakeNative(int32_t id);
    ~JsFunction() override;
    void ForEachReference(Visitor visit, void *context) override;

    const char *ToText() override;
    int IsFunction() override { return 1; }
    JsString *TypeName() override;
    JsValue *AsFunction() override { return this; }

    // The body a call runs: a script function's block (none once the host
    // gave back its script), the shared native marker for natives, none for
    // constructors.
    virtual JsToken *Body();
    // The name of the i-th (1-based) parameter of a script function, or null.
    const char *ParamName(int i) {
        if (paramNames && i >= 1 && i <= paramCount) return paramNames[i - 1];
        return FindParamName(i);
    }
    // How many parameters a script function's definition lists, names or not.
    int ParameterCount();
    // Whether the body can add a name to its call's locals (a var, or a
    // for ... in, anywhere in it; a built-in's, eval's, always can); a call
    // of a body that cannot needs no locals of its own.
    bool BodyDeclares();
    // The names the body declares one by one (`var name`, `var name = ...`
    // and `for ... in` variables), each once, in the order of the text.
    int32_t LocalCount();
    const char **LocalNames();
    // An argument list of an earlier call, to be filled again, or null.
    JsArray *TakeKeptList();
    // Keeps a finished call's list that nothing else holds, emptied, for a
    // later call; false when kKeptLists are kept already. Enough for calls
    // made inside the arguments or the body of another call of the same
    // function, several deep, as a recursion goes up and down.
    bool KeepList(JsArray *list);
    static constexpr int8_t kKeptLists = 8;
    void DropKeptLists();

    // A script function for a declaration node of script.
    static JsFunction *MakeScript(JsToken *definition, JsScript *script);

    // Binds a function declared at the top level of a window's script to
    // that window, or ends the binding.
    void BindToWindow(JsHostObject *window);
    void Unbind();
    // The window a call of the function runs in: its owner when that is a
    // window, else the window it was declared in; null for none.
    JsObject *HomeWindow();

    // The object that new gives as prototype: the own one, else the shared
    // prototype of a built-in constructor.
    JsObject *Prototype();

private:
    const char *FindParamName(int i);  // ParamName before the names are listed
    void LearnParams();
    void LearnLocals();
    void MarkCells(JsToken *body);  // each identifier of the body learns its cell
    int32_t LocalIndex(const char *name) const;  // a declared name's position, or -1
    JsToken *ParamList();  // the parameter name or list, or null
    static const char *FindParam(JsToken *params, int i);
};

// A function made by the Function constructor: the last argument's text is
// compiled as the body, the earlier ones name the parameters. A body that
// does not compile leaves a function without definition.
class JsSourceFunction : public JsFunction {
public:
    static JsSourceFunction *Make(JsObject *arguments);
};

// An event handler: compiled from a handler text the host loaded, or copied
// from a function assigned to an event member of a host object.
class JsEventHandler : public JsFunction {
public:
    // From a handler script (counted here); owner is the element.
    static JsEventHandler *Make(int32_t id, JsScript *script, JsObject *owner);
    // A copy of any function value: same id, owner, prototype, members,
    // definition and script.
    static JsEventHandler *CopyOf(JsFunction *source);
    JsToken *Body() override;
};

// The shared function value of a native or constructor id, or null.
JsFunction *NativeFunction(int id);

#endif
