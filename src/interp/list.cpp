#include "interp/list.h"

JsTreeNode::~JsTreeNode() {
    // Takes the first child off, clears its parent and deletes it, until no
    // child is left. Before a child is deleted its own children move to the
    // front of this node's list, in order, so the child's destructor finds
    // none: the deletion order is that of the plain recursive scheme (each
    // level first child first), but the C stack never grows with depth.
    while (JsTreeNode *child = FirstChild()) {
        child->Detach();
        while (JsTreeNode *grandchild = child->LastChild()) {
            grandchild->Unlink();
            grandchild->InsertAfter(&children);
            grandchild->parent = this;
        }
        delete child;
    }
}
