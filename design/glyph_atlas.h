// Where each glyph lies in a design picture.
#pragma once

#include <QRect>

namespace vespera::atlas {

inline QRect largeDigit(int d) { return {22 * d, 60, 22, 32}; }
inline QRect amMark() { return {220, 60, 32, 32}; }
inline QRect pmMark() { return {252, 60, 32, 32}; }
inline QRect pmUpperHalf() { return {252, 60, 32, 16}; }
inline QRect weekMark(int n) { return {284 + 15 * (n - 1), 60, 15, 36}; }
inline QRect secondsStep(int q) { return {23 * q, 92, 23, 42}; }
inline QRect smallDigit(int d) { return {92 + 10 * d, 92, 10, 14}; }
inline QRect weekday(int k) { return {92 + 15 * k, 106, 15, 15}; }
inline QRect background() { return {0, 0, 440, 59}; }
inline QRect fixedMark() { return {192, 92, 13, 13}; }
inline QRect blinkMark() { return {205, 92, 13, 13}; }
inline QRect dogResting() { return {220, 96, 39, 31}; }
inline QRect dogPoseA() { return {259, 96, 39, 31}; }
inline QRect dogPoseB() { return {298, 96, 39, 31}; }
inline QRect alarmOn() { return {92, 121, 18, 13}; }
inline QRect alarmOff() { return {110, 121, 18, 13}; }
inline QRect fillPatch() { return {128, 121, 5, 5}; }

// A design picture must hold the whole atlas.
constexpr int kMinWidth = 440;
constexpr int kMinHeight = 134;

} // namespace vespera::atlas
