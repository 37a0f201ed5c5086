#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/token.h"
#include "engine/memory.h"
#include "interp/list.h"

namespace {

struct Item : JsListNode {
    int value;
    explicit Item(int v) : value(v) {}
};

TEST(List, EmptyListHasNoElements) {
    JsList list;
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.next, &list);
    EXPECT_EQ(list.prev, &list);
}

TEST(List, SingleElementHasNoNeighbours) {
    JsList list;
    Item a(1);
    a.AppendTo(list);
    EXPECT_EQ(a.Next(), nullptr);
    EXPECT_EQ(a.Prev(), nullptr);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &a);
    a.Unlink();
    EXPECT_EQ(list.next, &list);
    EXPECT_EQ(list.prev, &list);
    EXPECT_EQ(a.next, nullptr);
    EXPECT_EQ(a.prev, nullptr);
}

TEST(List, AppendKeepsOrderAndInsertsLinkBothWays) {
    JsList list;
    Item a(1), b(2), c(3), d(4), e(5);
    a.AppendTo(list);
    b.AppendTo(list);
    c.AppendTo(list);
    EXPECT_EQ(list.Count(), 3);
    d.InsertAfter(&a);   // 1 4 2 3
    e.InsertBefore(&a);  // 5 1 4 2 3
    std::vector<int> forward, backward;
    for (JsListNode *n = list.First(); n; n = n->Next()) forward.push_back(static_cast<Item *>(n)->value);
    for (JsListNode *n = list.Last(); n; n = n->Prev()) backward.push_back(static_cast<Item *>(n)->value);
    EXPECT_EQ(forward, (std::vector<int>{5, 1, 4, 2, 3}));
    EXPECT_EQ(backward, (std::vector<int>{3, 2, 4, 1, 5}));
    for (JsListNode *n = list.First(); n; n = n->Next()) {
        EXPECT_EQ(n->next->prev, n);
        EXPECT_EQ(n->prev->next, n);
    }
    b.Unlink();
    EXPECT_EQ(d.Next(), &c);
    EXPECT_EQ(c.Prev(), &d);
    while (JsListNode *n = list.First()) n->Unlink();
}

// The children of a node, read forward through next and backward from
// LastChild through Prev, as letters; each child's parent is checked too.
std::string Chain(const JsTreeNode &parent, const JsTreeNode *nodes) {
    std::string forward, backward;
    for (const JsTreeNode *c = parent.FirstChild(); c; c = c->Next()) {
        forward += static_cast<char>('a' + (c - nodes));
        if (c->Parent() != &parent) return "wrong parent";
    }
    for (const JsTreeNode *c = parent.LastChild(); c; c = c->Prev()) backward.insert(0, 1, static_cast<char>('a' + (c - nodes)));
    if (forward != backward) return forward + " but backward " + backward;
    if (static_cast<int>(forward.size()) != parent.ChildCount()) return "wrong count";
    return forward;
}

TEST(TreeNode, LinksHoldAfterEveryInsertionAndRemoval) {
    JsTreeNode root, n[6];
    EXPECT_EQ(Chain(root, n), "");
    EXPECT_FALSE(root.HasChildren());
    n[1].AppendToParent(&root);
    EXPECT_EQ(Chain(root, n), "b");
    n[3].AppendToParent(&root);
    n[0].PrependToParent(&root);
    EXPECT_EQ(Chain(root, n), "abd");
    n[2].InsertBeforeSibling(&n[3]);  // in the middle
    n[4].InsertAfterSibling(&n[3]);   // after the last
    n[5].InsertBeforeSibling(&n[0]);  // before the first
    EXPECT_EQ(Chain(root, n), "fabcde");
    struct Removal {
        int node;
        const char *left;
    } removals[] = {{5, "abcde"}, {4, "abcd"}, {2, "abd"}, {0, "bd"}, {3, "b"}, {1, ""}};
    for (const Removal &r : removals) {
        n[r.node].Detach();
        EXPECT_EQ(Chain(root, n), r.left) << "after taking out " << static_cast<char>('a' + r.node);
        EXPECT_EQ(n[r.node].Parent(), nullptr);
        EXPECT_EQ(n[r.node].Next(), nullptr);
        EXPECT_EQ(n[r.node].Prev(), nullptr);
    }
    EXPECT_FALSE(root.HasChildren());
    n[0].Detach();  // a node without a parent stays as it is
    EXPECT_EQ(n[0].Parent(), nullptr);
    n[2].AppendToParent(&root);  // an emptied parent takes children again
    n[0].InsertAfterSibling(&n[2]);
    EXPECT_EQ(Chain(root, n), "ca");
}

TEST(TreeNode, DeletingATokenGivesBackItsWholeSubtree) {
    const size_t blocks = JsBlocksInUse();
    // Two levels of several children, one of them a chain a million deep:
    // the deletion must neither miss a node nor grow the stack.
    JsToken *root = JsToken::Make(TK_BLOCK, nullptr, -1);
    ASSERT_NE(root, nullptr);
    for (int i = 0; i < 3; i++) {
        JsToken *child = JsToken::Make(TK_IDENT, "name", 4);
        ASSERT_NE(child, nullptr);
        child->AppendToParent(root);
        for (int j = 0; j < 3; j++) {
            JsToken *grandchild = JsToken::Make(TK_INT, "1", 1);
            ASSERT_NE(grandchild, nullptr);
            grandchild->AppendToParent(child);
        }
    }
    JsToken *tip = root->LastChild();
    for (int i = 0; i < 1000000; i++) {
        JsToken *n = JsToken::Make(TK_NEG, nullptr, -1);
        ASSERT_NE(n, nullptr);
        n->AppendToParent(tip);
        tip = n;
    }
    EXPECT_EQ(JsBlocksInUse(), blocks + 1 + 3 + 9 + 1000000);
    delete root;
    EXPECT_EQ(JsBlocksInUse(), blocks);
}

}  // namespace
