// Intrusive circular doubly linked lists with a sentinel head, and the
// links of tree nodes. Nothing here allocates memory or touches reference
// counts.
#ifndef DURIZ_INTERP_LIST_H
#define DURIZ_INTERP_LIST_H

#include "engine/memory.h"

class JsList;

// An element that carries its own links. Both links are null while the
// node is in no list.
class JsListNode : public JsAllocated {
public:
    JsListNode *next = nullptr;
    JsListNode *prev = nullptr;

    JsListNode() = default;
    JsListNode(const JsListNode &) = delete;
    JsListNode &operator=(const JsListNode &) = delete;

    // The node itself; a list head answers null, which is how walking past
    // the last element ends.
    virtual JsListNode *Element() { return this; }
    // Does not unlink: whoever deletes a linked node unlinks it first.
    virtual ~JsListNode() {}
    virtual int Query() { return 0; }

    JsListNode *Next() const { return next ? next->Element() : nullptr; }
    JsListNode *Prev() const { return prev ? prev->Element() : nullptr; }
    bool IsLinked() const { return next != nullptr; }

    void Unlink() {
        next->prev = prev;
        prev->next = next;
        next = prev = nullptr;
    }
    void AppendTo(JsList &list);
    void InsertAfter(JsListNode *other) {
        prev = other;
        next = other->next;
        other->next->prev = this;
        other->next = this;
    }
    void InsertBefore(JsListNode *other) {
        next = other;
        prev = other->prev;
        other->prev->next = this;
        other->prev = this;
    }
};

// The sentinel head. It does not own its elements.
class JsList : public JsListNode {
public:
    JsList() { next = prev = this; }
    ~JsList() override {}
    JsListNode *Element() override { return nullptr; }

    // A head's neighbours are its elements or the head itself.
    JsListNode *First() const { return next == this ? nullptr : next; }
    JsListNode *Last() const { return prev == this ? nullptr : prev; }
    bool Empty() const { return next == this; }
    int Count() const {
        int n = 0;
        for (JsListNode *e = First(); e; e = e->Next()) n++;
        return n;
    }
};

inline void JsListNode::AppendTo(JsList &list) {
    next = &list;
    prev = list.prev;
    list.prev->next = this;
    list.prev = this;
}

// A node of an ordered tree that knows its parent. The children form a
// chain from the first child: a last child's next is null and the first
// child's prev is the last child, so appending takes no walk. The links
// are all a node holds: it deletes nothing, and whoever owns a tree
// decides how its nodes go.
class JsTreeNode : public JsAllocated {
public:
    JsTreeNode *parent = nullptr;
    JsTreeNode *firstChild = nullptr;
    JsTreeNode *next = nullptr;
    JsTreeNode *prev = nullptr;

    JsTreeNode() = default;
    JsTreeNode(const JsTreeNode &) = delete;
    JsTreeNode &operator=(const JsTreeNode &) = delete;

    JsTreeNode *Parent() const { return parent; }
    JsTreeNode *Next() const { return next; }
    JsTreeNode *Prev() const { return parent && parent->firstChild != this ? prev : nullptr; }
    JsTreeNode *FirstChild() const { return firstChild; }
    JsTreeNode *LastChild() const { return firstChild ? firstChild->prev : nullptr; }
    int ChildCount() const {
        int n = 0;
        for (JsTreeNode *c = firstChild; c; c = c->next) n++;
        return n;
    }
    bool HasChildren() const { return firstChild != nullptr; }

    void AppendToParent(JsTreeNode *newParent) {
        parent = newParent;
        next = nullptr;
        if (JsTreeNode *first = newParent->firstChild) {
            prev = first->prev;
            prev->next = this;
            first->prev = this;
        } else {
            prev = this;
            newParent->firstChild = this;
        }
    }
    void PrependToParent(JsTreeNode *newParent) {
        if (newParent->firstChild) {
            InsertBeforeSibling(newParent->firstChild);
        } else {
            AppendToParent(newParent);
        }
    }
    // Takes a child out of its parent's chain; a node without a parent stays as it is.
    void Detach() {
        if (!parent) return;
        JsTreeNode *first = parent->firstChild;
        if (this == first) {
            parent->firstChild = next;
        } else {
            prev->next = next;
        }
        if (next) {
            next->prev = prev;
        } else if (this != first) {
            first->prev = prev;
        }
        parent = next = prev = nullptr;
    }
    // Beside a sibling, which has a parent.
    void InsertAfterSibling(JsTreeNode *sibling) {
        parent = sibling->parent;
        prev = sibling;
        next = sibling->next;
        sibling->next = this;
        if (next) {
            next->prev = this;
        } else {
            parent->firstChild->prev = this;
        }
    }
    void InsertBeforeSibling(JsTreeNode *sibling) {
        parent = sibling->parent;
        next = sibling;
        prev = sibling->prev;
        if (parent->firstChild == sibling) {
            parent->firstChild = this;
        } else {
            prev->next = this;
        }
        sibling->prev = this;
    }
};

#endif
