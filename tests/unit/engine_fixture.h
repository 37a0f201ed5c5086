// A started engine for each test, and the values a test keeps alive until
// its end (one reference each, given back before the engine stops).
#ifndef DURIZ_TESTS_UNIT_ENGINE_FIXTURE_H
#define DURIZ_TESTS_UNIT_ENGINE_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "duriz.h"
#include "engine/shared.h"
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

    // Reads a fresh (count-0) result as text and releases it.
    static std::string Take(JsValue *v) {
        std::string text = v && v->ToText() ? v->ToText() : "<none>";
        DropIfUnowned(v);
        return text;
    }
    // The names for ... in visits, each found from the one before; at most
    // one step more than there are slots, so that a fault cannot loop.
    static std::vector<std::string> Enumerate(JsObject *o) {
        std::vector<std::string> names;
        JsValue *key = nullptr;
        for (int steps = o->properties.Count() + 1; steps > 0; steps--) {
            JsValue *next = o->NextPropertyName(key);
            DropIfUnowned(key);
            key = nullptr;
            if (!next || next == g_shared.nullValue) break;
            names.push_back(next->ToText());
            key = next;
        }
        DropIfUnowned(key);
        return names;
    }

private:
    std::vector<JsValue *> held_;
};

#endif
