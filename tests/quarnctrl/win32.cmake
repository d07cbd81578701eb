# Tests of the list boxes' real window under Wine.
