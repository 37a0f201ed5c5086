#include <gtest/gtest.h>

#include <vector>

#include "interp/list.h"

namespace {

struct Item : JsListNode {
    int value;
    explicit Item(int v) : value(v) {}
};

// Records the order in which tree nodes are destroyed and whether each was
// already detached from its parent.
struct Tracked : JsTreeNode {
    int id;
    std::vector<int> *log;
    std::vector<bool> *detached;
    Tracked(int i, std::vector<int> *l, std::vector<bool> *d) : id(i), log(l), detached(d) {}
    ~Tracked() override {
        log->push_back(id);
        detached->push_back(parent == nullptr);
    }
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

TEST(TreeNode, SiblingInsertionTakesTheParent) {
    JsTreeNode root;
    JsTreeNode *a = new JsTreeNode, *b = new JsTreeNode, *c = new JsTreeNode;
    a->AppendToParent(&root);
    c->InsertAfterSibling(a);
    b->InsertBeforeSibling(c);
    EXPECT_EQ(root.ChildCount(), 3);
    EXPECT_EQ(root.FirstChild(), a);
    EXPECT_EQ(a->Next(), b);
    EXPECT_EQ(b->Next(), c);
    EXPECT_EQ(root.LastChild(), c);
    EXPECT_EQ(b->Parent(), &root);
    EXPECT_EQ(c->Parent(), &root);
    b->Detach();
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(a->Next(), c);
    delete b;
}

TEST(TreeNode, DestroyingDeletesEachDescendantOnceFirstChildFirst) {
    std::vector<int> log;
    std::vector<bool> detached;
    auto *root = new Tracked(0, &log, &detached);
    auto *n1 = new Tracked(1, &log, &detached);
    auto *n2 = new Tracked(2, &log, &detached);
    auto *n11 = new Tracked(11, &log, &detached);
    auto *n12 = new Tracked(12, &log, &detached);
    auto *n111 = new Tracked(111, &log, &detached);
    n1->AppendToParent(root);
    n2->AppendToParent(root);
    n11->AppendToParent(n1);
    n12->AppendToParent(n1);
    n111->AppendToParent(n11);
    delete root;
    // A node is deleted before its descendants, each level first child first.
    EXPECT_EQ(log, (std::vector<int>{0, 1, 11, 111, 12, 2}));
    for (bool d : detached) EXPECT_TRUE(d);
}

TEST(TreeNode, DestroyingAMillionDeepChainDoesNotOverflow) {
    JsTreeNode *root = new JsTreeNode;
    JsTreeNode *tip = root;
    for (int i = 0; i < 1000000; i++) {
        JsTreeNode *n = new JsTreeNode;
        n->AppendToParent(tip);
        tip = n;
    }
    delete root;
    SUCCEED();
}

}  // namespace
