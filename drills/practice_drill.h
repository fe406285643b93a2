// A practice (生词本, 错词本, 今日复习) in the drill the learner chose.
#pragma once

#include "drills/core/drill_context.h"

// Runs the browse or the spelling drill modally over the context's practice list.
void RunPracticeDrill(const DrillContext& context, bool spelling);
