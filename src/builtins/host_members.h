// The member tables of the host object kinds: for every class number, the
// built-in names its objects know and what each is.
#ifndef DURIZ_BUILTINS_HOST_MEMBERS_H
#define DURIZ_BUILTINS_HOST_MEMBERS_H

#include <cstdint>

enum MemberKind : uint8_t {
    MK_SCALAR,      // a value the host keeps
    MK_HOST_OBJECT, // a sub-object the host keeps
    MK_NATIVE,      // a native function (id in `extra`)
    MK_NULL,        // always null
    MK_SELF,        // the object itself
    MK_COLLECTION,  // one of the object's collections (number in `extra`)
};

struct HostMember {
    int16_t nameIndex;
    MemberKind kind;
    bool readOnly;
    int16_t extra;
};

// The members of a class number's objects, ending with nameIndex -1; null
// for a number without a host class.
const HostMember *HostMembersOf(int classNumber);
// The first member of a class number's table with the name index, or null.
const HostMember *FindHostMember(int classNumber, int nameIndex);

// How many collections objects of a class hold.
int CollectionCountOf(int classNumber);

#endif
