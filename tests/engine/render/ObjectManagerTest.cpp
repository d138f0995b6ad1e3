#include "engine/render/ObjectManager.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

struct Thing {
    char name;
};

std::string Slots(const ObjectManager<Thing>& list)
{
    std::string text;
    for (Thing* t : list.slots)
        text += t ? t->name : '-';
    return text;
}

} // namespace

TEST(ObjectManager, ScriptedAddsAndRemovesKeepSlotsAndCount)
{
    Thing a{'A'}, b{'B'}, c{'C'}, d{'D'}, e{'E'};
    struct Step {
        char op;
        Thing* thing;
        bool removed;
        const char* slots;
        int count;
    };
    const Step script[] = {
        {'+', &a, false, "A", 1},     {'+', &b, false, "AB", 2},   {'+', &c, false, "ABC", 3},
        {'+', &d, false, "ABCD", 4},  {'-', &b, true, "A-CD", 3},  {'-', &c, true, "A--D", 2},
        {'+', &e, false, "A-ED", 3},  {'-', &e, true, "A--D", 2},  {'-', &d, true, "A", 1},
        {'-', &d, false, "A", 1},     {'-', nullptr, false, "A", 1}, {'+', nullptr, false, "A", 1},
        {'+', &a, false, "AA", 2},    {'-', &a, true, "-A", 1},    {'-', &a, true, "", 0},
    };
    ObjectManager<Thing> list;
    for (const Step& step : script) {
        if (step.op == '+')
            list.Add(step.thing);
        else
            EXPECT_EQ(list.Remove(step.thing), step.removed);
        EXPECT_EQ(Slots(list), step.slots);
        EXPECT_EQ(list.count, step.count);
    }
}

TEST(ObjectManager, FreedSlotIsReusedLastFreedFirst)
{
    Thing a{'A'}, b{'B'}, c{'C'}, d{'D'}, e{'E'}, f{'F'};
    ObjectManager<Thing> list;
    for (Thing* t : {&a, &b, &c, &d, &e})
        list.Add(t);
    list.Remove(&b);
    list.Remove(&d);
    list.Add(&f);
    EXPECT_EQ(Slots(list), "A-CFE");
}
