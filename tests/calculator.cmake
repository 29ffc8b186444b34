# The calculator window under QTest (offscreen), and again under a comma locale.
add_quarnis_qtest(calculator_window_test SOURCES calculator_window_test.cpp LIBS quarnis_calculator)
add_test(NAME calculator_window_test_de_DE COMMAND calculator_window_test)
set_tests_properties(calculator_window_test_de_DE PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8;LANG=de_DE.UTF-8")
add_test(NAME calculator_window_test_tr_TR COMMAND calculator_window_test)
set_tests_properties(calculator_window_test_tr_TR PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=tr_TR.UTF-8;LANG=tr_TR.UTF-8")
