# Starts the editor on the sample camera file. On a machine without a display the main window is
# written to a PNG file instead, and the script says where.
#
#   cmake -DVANTAPOINT=... -DMAKE_SAMPLE_CAM=... -DWORK_DIR=... -P RunSample.cmake

file(MAKE_DIRECTORY "${WORK_DIR}")
set(sample "${WORK_DIR}/Sample.cam")
execute_process(COMMAND "${MAKE_SAMPLE_CAM}" "${sample}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The sample camera file could not be written.")
endif()

if(CMAKE_HOST_WIN32 OR CMAKE_HOST_APPLE OR NOT "$ENV{DISPLAY}$ENV{WAYLAND_DISPLAY}" STREQUAL "")
  execute_process(COMMAND "${VANTAPOINT}" "${sample}" RESULT_VARIABLE status)
else()
  message(STATUS "No display found: writing a screenshot of the main window instead.")
  set(ENV{QT_QPA_PLATFORM} offscreen)
  execute_process(COMMAND "${VANTAPOINT}" --screenshot "${WORK_DIR}/vantapoint-screenshot.png" "${sample}"
                  RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vantapoint ended with ${status}.")
endif()
