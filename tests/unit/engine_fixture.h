// A started engine for each test, and the values a test keeps alive until
// its end (one reference each, given back before the engine stops).
#ifndef DURIZ_TESTS_UNIT_ENGINE_FIXTURE_H
#define DURIZ_TESTS_UNIT_ENGINE_FIXTURE_H

#include <gtest/gtest.h>

#include <vector>

#include "duriz.h"
#include "values/object.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override {
        for (JsValue *v : held_) ReleaseRef(v);
        held_.clear();
        JS_Destroy();
    }

    template <typename T>
    T *Keep(T *v) {
        v->refs++;
        held_.push_back(v);
        return v;
    }
    JsObject *NewObject() { return Keep(new JsObject()); }

private:
    std::vector<JsValue *> held_;
};

#endif
