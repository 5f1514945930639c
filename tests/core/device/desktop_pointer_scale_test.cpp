// The settings' 1..20 pointer speed against GNOME's -1..1 mouse speed.

#include "device/desktop_pointer_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvosk {
namespace {

TEST(GnomePointerScale, TheMiddleAndTheEndsMeet) {
  struct Case {
    int step;
    double gnome;
  };
  for (const Case c : {Case{1, -1.0}, Case{10, 0.0}, Case{20, 1.0}, Case{5, -5.0 / 9}, Case{15, 0.5}}) {
    SCOPED_TRACE(c.step);
    EXPECT_DOUBLE_EQ(gnomeSpeedFromPointerSpeed(c.step), c.gnome);
    EXPECT_EQ(pointerSpeedFromGnomeSpeed(c.gnome), c.step);
  }
}

TEST(GnomePointerScale, EveryStepComesBackAndTheScaleRisesStrictly) {
  double previous = -2;
  for (int step = 1; step <= 20; ++step) {
    const double gnome = gnomeSpeedFromPointerSpeed(step);
    EXPECT_GT(gnome, previous) << step;
    EXPECT_EQ(pointerSpeedFromGnomeSpeed(gnome), step);
    previous = gnome;
  }
}

TEST(GnomePointerScale, OutOfRangeValuesGoToTheNearestEnd) {
  EXPECT_DOUBLE_EQ(gnomeSpeedFromPointerSpeed(0), -1.0);
  EXPECT_DOUBLE_EQ(gnomeSpeedFromPointerSpeed(-7), -1.0);
  EXPECT_DOUBLE_EQ(gnomeSpeedFromPointerSpeed(21), 1.0);
  EXPECT_EQ(pointerSpeedFromGnomeSpeed(-3.5), 1);
  EXPECT_EQ(pointerSpeedFromGnomeSpeed(9.0), 20);
  EXPECT_EQ(pointerSpeedFromGnomeSpeed(std::numeric_limits<double>::infinity()), 20);
  EXPECT_EQ(pointerSpeedFromGnomeSpeed(std::nan("")), 10);
  // A value GNOME's own slider left between steps reads as the nearest step.
  EXPECT_EQ(pointerSpeedFromGnomeSpeed(0.37), 14);
  EXPECT_EQ(pointerSpeedFromGnomeSpeed(-0.3), 7);
}

TEST(X11PointerScale, StepsBecomeAccelerationFactorsAndComeBack) {
  struct Case {
    int step;
    int numerator;
  };
  for (const Case c : {Case{1, 11}, Case{10, 20}, Case{11, 22}, Case{20, 40}, Case{0, 11}, Case{25, 40}}) {
    SCOPED_TRACE(c.step);
    const X11Acceleration a = x11AccelerationFromPointerSpeed(c.step);
    EXPECT_EQ(a.numerator, c.numerator);
    EXPECT_EQ(a.denominator, 10);
  }
  int previous = 0;
  for (int step = 1; step <= 20; ++step) {
    const X11Acceleration a = x11AccelerationFromPointerSpeed(step);
    EXPECT_GT(a.numerator, previous) << step;
    EXPECT_EQ(pointerSpeedFromX11Acceleration(a.numerator, a.denominator), step);
    previous = a.numerator;
  }
}

TEST(X11PointerScale, WhatOtherProgramsSetReadsAsTheNearestStep) {
  struct Case {
    int numerator;
    int denominator;
    int step;
  };
  for (const Case c : {Case{2, 1, 10}, Case{1, 1, 1}, Case{3, 1, 15}, Case{10, 1, 20}, Case{0, 1, 1}, Case{3, 2, 5},
                       Case{5, 0, 10}, Case{-4, 1, 10}}) {
    SCOPED_TRACE(::testing::Message() << c.numerator << '/' << c.denominator);
    EXPECT_EQ(pointerSpeedFromX11Acceleration(c.numerator, c.denominator), c.step);
  }
}

}  // namespace
}  // namespace tarvosk
