// The double kernels shared by the trees and the row programs: within one
// float ulp of the extended-precision library over a million arguments
// each, the one-value form equal to the run bit for bit, and the values at
// the edges of their domains.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "core/expr/VectorMath.h"
#include "hwy/aligned_allocator.h"

namespace vorla {
namespace {

constexpr std::size_t kArguments = std::size_t{1} << 20;

struct Kernel {
  const char* name;
  UnaryMath unary;  // when `binary` is false
  bool binary;
  BinaryMath pair;
  long double (*reference)(long double a, long double b);
  float low, high;  // arguments drawn from here, and a quarter near 0
};

// Distance of `value` from `reference` in ulps of the float nearest it.
long double Ulps(float value, long double reference) {
  const float nearest = static_cast<float>(reference);
  const long double ulp = std::nextafter(std::fabs(nearest), std::numeric_limits<float>::infinity()) - std::fabs(nearest);
  return std::fabs(value - reference) / ulp;
}

class VectorMathTest : public ::testing::TestWithParam<Kernel> {};

TEST_P(VectorMathTest, WithinOneUlpAndTheSameOneValueAtATime) {
  const Kernel& k = GetParam();
  auto a = hwy::AllocateAligned<float>(kArguments);
  auto b = hwy::AllocateAligned<float>(kArguments);
  auto out = hwy::AllocateAligned<float>(kArguments);
  std::mt19937 random(2024);
  std::uniform_real_distribution<float> wide(k.low, k.high);
  std::uniform_real_distribution<float> unit(-1, 1);
  for (std::size_t i = 0; i < kArguments; ++i) {
    a[i] = i % 4 == 0 ? std::ldexp(unit(random), static_cast<int>(random() % 40) - 30) : wide(random);
    if (k.low >= 0) a[i] = std::fabs(a[i]);
    b[i] = wide(random);
  }
  if (k.binary)
    MathRun(k.pair, a.get(), b.get(), out.get(), kArguments);
  else
    MathRun(k.unary, a.get(), out.get(), kArguments);
  long double worst = 0;
  for (std::size_t i = 0; i < kArguments; ++i) {
    if (a[i] == 0 && k.low >= 0) continue;
    worst = std::max(worst, Ulps(out[i], k.reference(a[i], b[i])));
    if (i % 64 == 0) {
      const float one = k.binary ? MathOf(k.pair, a[i], b[i]) : MathOf(k.unary, a[i]);
      ASSERT_EQ(std::bit_cast<std::uint32_t>(one), std::bit_cast<std::uint32_t>(out[i])) << a[i] << ", " << b[i];
    }
  }
  EXPECT_LE(worst, 1.0L);
}

INSTANTIATE_TEST_SUITE_P(
    Kernels, VectorMathTest,
    ::testing::Values(
        Kernel{"sin", UnaryMath::kSin, false, {}, [](long double x, long double) { return std::sin(x); }, -1e5f, 1e5f},
        Kernel{"cos", UnaryMath::kCos, false, {}, [](long double x, long double) { return std::cos(x); }, -1e5f, 1e5f},
        Kernel{"tan", UnaryMath::kTan, false, {}, [](long double x, long double) { return std::tan(x); }, -1e3f, 1e3f},
        Kernel{"sec", UnaryMath::kSec, false, {}, [](long double x, long double) { return 1 / std::cos(x); }, -1e5f, 1e5f},
        Kernel{"cosec", UnaryMath::kCosec, false, {}, [](long double x, long double) { return 1 / std::sin(x); }, -1e5f, 1e5f},
        Kernel{"cotan", UnaryMath::kCotan, false, {}, [](long double x, long double) { return 1 / std::tan(x); }, -1e5f, 1e5f},
        Kernel{"exp", UnaryMath::kExp, false, {}, [](long double x, long double) { return std::exp(x); }, -100, 88},
        Kernel{"ln", UnaryMath::kLn, false, {}, [](long double x, long double) { return std::log(x); }, 0, 1e30f},
        Kernel{"hypot", {}, true, BinaryMath::kHypot, [](long double a, long double b) { return std::hypot(a, b); }, -1e3f, 1e3f},
        Kernel{"atan2", {}, true, BinaryMath::kAtan2, [](long double a, long double b) { return std::atan2(a, b); }, -1e3f, 1e3f}),
    [](const auto& info) { return info.param.name; });

// The reciprocal functions where they are largest: the 17 floats nearest
// every pole of the first 20000 of each, within one ulp of the
// extended-precision library.
TEST(VectorMathPoleTest, ReciprocalsNearTheirPoles) {
  struct Row {
    const char* name;
    UnaryMath f;
    int firstPole;  // poles at k pi/2 for k = firstPole, firstPole + 2, ...
    long double (*reference)(long double x);
  };
  for (const Row& row : {Row{"sec", UnaryMath::kSec, 1, [](long double x) { return 1 / std::cos(x); }},
                         Row{"cosec", UnaryMath::kCosec, 2, [](long double x) { return 1 / std::sin(x); }},
                         Row{"cotan", UnaryMath::kCotan, 2, [](long double x) { return 1 / std::tan(x); }}}) {
    SCOPED_TRACE(row.name);
    constexpr int kPoles = 20000;
    constexpr int kNear = 8;
    const std::size_t n = std::size_t{2} * kPoles * (2 * kNear + 1);
    auto x = hwy::AllocateAligned<float>(n);
    auto out = hwy::AllocateAligned<float>(n);
    std::size_t i = 0;
    for (int k = 0; k < kPoles; ++k) {
      for (const int sign : {1, -1}) {
        float near = static_cast<float>(sign * (row.firstPole + 2 * k) * std::numbers::pi_v<long double> / 2);
        for (int s = 0; s < kNear; ++s) near = std::nextafter(near, -sign * HUGE_VALF);
        for (int s = 0; s <= 2 * kNear; ++s, near = std::nextafter(near, sign * HUGE_VALF)) x[i++] = near;
      }
    }
    MathRun(row.f, x.get(), out.get(), n);
    long double worst = 0;
    for (std::size_t j = 0; j < n; ++j) worst = std::max(worst, Ulps(out[j], row.reference(x[j])));
    EXPECT_LE(worst, 1.0L);
  }
}

TEST(VectorMathEdgeTest, DomainAndRangeEdges) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_TRUE(std::isnan(MathOf(UnaryMath::kLn, 0))) << "the tree raises before asking";
  EXPECT_TRUE(std::isnan(MathOf(UnaryMath::kLn, -1)));
  EXPECT_EQ(MathOf(UnaryMath::kExp, 89), inf) << "beyond the float range";
  EXPECT_EQ(MathOf(UnaryMath::kExp, 3e38f), inf) << "beyond the kernel's own range";
  EXPECT_EQ(MathOf(UnaryMath::kExp, -200), 0);
  EXPECT_EQ(MathOf(UnaryMath::kSin, 1e6f), static_cast<float>(std::sin(1e6))) << "beyond the reduction's range";
  EXPECT_EQ(MathOf(BinaryMath::kHypot, 3e38f, 3e38f), inf);
  EXPECT_TRUE(std::isnan(MathOf(BinaryMath::kHypot, std::nanf(""), 1)));
  for (UnaryMath f : {UnaryMath::kSin, UnaryMath::kCos, UnaryMath::kTan, UnaryMath::kSec, UnaryMath::kCosec,
                      UnaryMath::kCotan, UnaryMath::kExp, UnaryMath::kLn}) {
    EXPECT_TRUE(std::isnan(MathOf(f, std::nanf("")))) << "a failed lane stays failed: " << static_cast<int>(f);
  }
  struct Axis { float y, x, angle; };
  for (const Axis& p : {Axis{0, 0, 0}, Axis{1, 0, 1.57079633f}, Axis{-1, 0, -1.57079633f}, Axis{0, -1, 3.14159265f},
                        Axis{0, 1, 0}}) {
    EXPECT_EQ(MathOf(BinaryMath::kAtan2, p.y, p.x), p.angle) << "y=" << p.y << " x=" << p.x;
  }
  EXPECT_TRUE(std::isnan(MathOf(BinaryMath::kAtan2, std::nanf(""), 0)));
}

}  // namespace
}  // namespace vorla
