#include "core/vector3.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

const Vector3 undefined_vector{};
const Vector3 zero_ordinary{Vector3::ordinary, 0.0f, 0.0f, 0.0f};

TEST(Vector3, IsFourWordsWithStateFirst) {
    static_assert(sizeof(Vector3) == 16);
    static_assert(offsetof(Vector3, state) == 0);
    static_assert(offsetof(Vector3, x) == 4 && offsetof(Vector3, z) == 12);
    EXPECT_EQ(Vector3{}.state, Vector3::undefined);
    EXPECT_EQ(Vector3(1, 2, 3).state, Vector3::ordinary);
}

TEST(Vector3, ArithmeticGivesOrdinaryVectors) {
    const Vector3 a{Vector3::unit, 1.0f, 0.0f, 0.0f};
    const Vector3 b{Vector3::unit, 0.0f, 1.0f, 0.0f};
    EXPECT_EQ(add(a, b), Vector3(1, 1, 0));
    EXPECT_EQ(subtract(a, b), Vector3(1, -1, 0));
    EXPECT_EQ(cross(a, b), Vector3(0, 0, 1));
    EXPECT_EQ(cross(Vector3(1, 2, 3), Vector3(4, 5, 6)), Vector3(-3, 6, -3));
    EXPECT_FLOAT_EQ(length(Vector3(2, 3, 6)), 7.0f);
}

TEST(Vector3, ScaleCarriesTheOperandsState) {
    EXPECT_EQ(scale(Vector3{Vector3::unit, 0, 1, 0}, 3.0f), (Vector3{Vector3::unit, 0, 3, 0}));
    EXPECT_EQ(scale(Vector3(1, 2, 3), 2.0f), Vector3(2, 4, 6));
}

TEST(Vector3, UndefinedOperandsGiveTheOrdinaryZeroVector) {
    const Vector3 v(5, 6, 7);
    for (const Vector3& r :
         {add(undefined_vector, v), add(v, undefined_vector), subtract(undefined_vector, v),
          subtract(v, undefined_vector), cross(undefined_vector, v), cross(v, undefined_vector),
          scale(undefined_vector, 4.0f)}) {
        EXPECT_EQ(r, zero_ordinary);
    }
    // An undefined vector with stale components still yields zero.
    const Vector3 stale{Vector3::undefined, 1, 1, 1};
    EXPECT_EQ(add(stale, v), zero_ordinary);
    EXPECT_EQ(scale(stale, 2.0f), zero_ordinary);
}

TEST(Vector3, NormaliseActsOnlyOnOrdinaryVectors) {
    Vector3 v(3, 0, 4);
    normalise(v);
    EXPECT_EQ(v.state, Vector3::unit);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);

    Vector3 tiny(1e-9f, 0, 0);
    normalise(tiny);
    EXPECT_EQ(tiny, (Vector3{Vector3::unit, 0, 0, 0}));

    Vector3 claimed_unit{Vector3::unit, 2, 0, 0};
    normalise(claimed_unit);
    EXPECT_EQ(claimed_unit, (Vector3{Vector3::unit, 2, 0, 0}));

    Vector3 undefined{Vector3::undefined, 2, 0, 0};
    normalise(undefined);
    EXPECT_EQ(undefined, (Vector3{Vector3::undefined, 2, 0, 0}));
}

}  // namespace
