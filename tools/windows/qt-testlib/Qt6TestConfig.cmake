# Qt6::Test of the Windows Qt, installed by tools/windows/qt-testlib: the DLL, its import
# library and headers, over Qt6::Core.
get_filename_component(_qt6test_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
include(CMakeFindDependencyMacro)
find_dependency(Qt6Core ${Qt6Test_FIND_VERSION} PATHS "${_qt6test_prefix}/lib/cmake" NO_DEFAULT_PATH)
if(NOT TARGET Qt6::Test)
  add_library(Qt6::Test SHARED IMPORTED)
  set_target_properties(Qt6::Test PROPERTIES
    IMPORTED_LOCATION "${_qt6test_prefix}/bin/Qt6Test.dll"
    IMPORTED_IMPLIB "${_qt6test_prefix}/lib/libQt6Test.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_qt6test_prefix}/include;${_qt6test_prefix}/include/QtTest"
    INTERFACE_COMPILE_DEFINITIONS "QT_TESTLIB_LIB;QT_TESTCASE_BUILDDIR=\"${CMAKE_BINARY_DIR}\""
    INTERFACE_LINK_LIBRARIES "Qt6::Core")
endif()
set(Qt6Test_FOUND TRUE)
unset(_qt6test_prefix)
