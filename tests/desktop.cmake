# The windows under a dark desktop colour scheme (offscreen).
add_quarnis_qtest(theme_test SOURCES theme_test.cpp LIBS quarnis_calculator)
