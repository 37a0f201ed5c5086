// Intrusive circular doubly linked lists with a sentinel head, and tree
// nodes that own a list of children. Nothing here allocates memory or
// touches reference counts.
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

// A list element that owns an ordered list of children and knows its parent.
class JsTreeNode : public JsListNode {
public:
    JsList children;
    JsTreeNode *parent = nullptr;

    JsTreeNode() = default;
    // Destroys the whole subtree, each level first child first. The walk is
    // iterative, so a subtree of any depth is destroyed without growing the
    // C stack.
    ~JsTreeNode() override;

    JsTreeNode *Parent() const { return parent; }
    // A child's neighbours end at its parent's list head.
    JsTreeNode *Next() const {
        if (parent) return next == &parent->children ? nullptr : static_cast<JsTreeNode *>(next);
        return static_cast<JsTreeNode *>(JsListNode::Next());
    }
    JsTreeNode *Prev() const {
        if (parent) return prev == &parent->children ? nullptr : static_cast<JsTreeNode *>(prev);
        return static_cast<JsTreeNode *>(JsListNode::Prev());
    }
    JsTreeNode *FirstChild() const { return static_cast<JsTreeNode *>(children.First()); }
    JsTreeNode *LastChild() const { return static_cast<JsTreeNode *>(children.Last()); }
    int ChildCount() const { return children.Count(); }
    bool HasChildren() const { return !children.Empty(); }

    void AppendToParent(JsTreeNode *newParent) {
        AppendTo(newParent->children);
        parent = newParent;
    }
    void Detach() {
        Unlink();
        parent = nullptr;
    }
    void InsertAfterSibling(JsTreeNode *sibling) {
        InsertAfter(sibling);
        parent = sibling->parent;
    }
    void InsertBeforeSibling(JsTreeNode *sibling) {
        InsertBefore(sibling);
        parent = sibling->parent;
    }
};

#endif
