// Host objects: the engine's mirrors of the browser's document objects.
// Each carries the host's handle and a fixed description of its members:
// native methods, fixed values, scalars and sub-objects kept by the host.
#ifndef DURIZ_BUILTINS_HOST_OBJECT_H
#define DURIZ_BUILTINS_HOST_OBJECT_H

#include <cstdint>

#include "values/array.h"

struct HostMember;

struct MemberInfo {
    JsValue *fixed = nullptr;  // a fixed value, or none
    bool writable = false;
    int nativeId = -1;
    bool hostObject = false;
};


class JsHostObject : public JsClassObject {
public:
    uint32_t handle;
    int classNumber;
    JsHostArray *collections[6] = {};  // per class: forms, images, ... (counted)
    JsValue *window = nullptr;         // a document's window (counted)
    JsFunction *boundFunctions = nullptr;  // a window's: the functions declared in it (not counted)
    int closedCache = -1;              // a window's last answer for closed
    bool givenBack = false;            // a window or document the host has given a handle of back

    // The object of a class number holding a host handle (owner: a
    // document's window), or null for a number without a host class.
    static JsValue *Make(int classNumber, uint32_t handle, JsValue *owner);
    JsHostObject(int classNumber, uint32_t handle) : handle(handle), classNumber(classNumber) {}
    ~JsHostObject() override;

    int IsHostObject() override { return 1; }
    void ForEachReference(Visitor visit, void *context) override;
    int ClassNumber() override { return classNumber; }
    JsValue *GetMember(int nameIndex) override;
    JsValue *GetProperty(const char *name) override;
    JsValue *PutMember(int nameIndex, JsValue *value, int op) override;
    const char *HostValue() override;
    JsValue *FindNamed(const char *name, int nameIndex) override;

    bool DescribeMember(int nameIndex, MemberInfo *info);

private:
    // What the member the class's table gives (null: none) is to this object.
    bool DescribeFound(const HostMember *member, MemberInfo *info);
    JsValue *CommonGetMember(int nameIndex);
    JsValue *CommonPutMember(int nameIndex, JsValue *value, int op);
    JsObject *GroupElements();
};

#endif
