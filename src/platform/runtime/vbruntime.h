// The old language runtime in one include: errors, numbers, texts, dates, Format and the clock.
#pragma once
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/format.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
