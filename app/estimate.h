#pragma once

#include "classifier.h"

// What a refresh will cost before it asks the model anything, from the
// requests it is about to send.
namespace Estimate {

// Share of first-pass files asked again of the stronger model, before any
// run has shown one.
inline constexpr double firstShareAgain = 0.3;

// US dollars for classifying `sorted`: each request's fixed part (the system
// prompt), its text lines or sheet and its reply, priced for the classifier's
// model, plus `shareAgain` of the files asked again of the stronger one.
double classification(const Classifier& classifier, const Sorted& sorted, Tidy::Mode mode,
                      double shareAgain);

} // namespace Estimate
