"""Real-window scenarios, one module per ctest test."""
