#pragma once

#include <cstddef>

#include "levels/solver/solver_level.h"

// Whether a level can be solved one box at a time: each box pushed home in one go and never touched
// again, the others standing still meanwhile. Such a level asks only for an order, and when most orders
// work it asks for nothing. The share counts the orders of filling the goals for which some choice of
// boxes works.

struct BoxOrderSurvey {
    bool complete = false;    // false when the budget ran out; the figures below are then unknown
    bool oneAtATime = false;  // some order works
    double orders = 0.0;      // orders of filling the goals: goals factorial
    double workingOrders = 0.0;
    bool counted = false;  // workingOrders is the full count (not only "some")
    double share() const { return orders > 0.0 ? workingOrders / orders : 0.0; }
};

// budget: single-box searches allowed before giving up. Without countOrders the survey stops at the
// first order that works.
BoxOrderSurvey surveyBoxOrders(const SolverLevel& level, std::size_t budget = 50000, bool countOrders = true);
