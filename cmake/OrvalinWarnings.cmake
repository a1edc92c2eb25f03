# The warnings every target of the project is built with, and the toolkit's guards: no bare
# signals/slots/emit keywords, and none of the Qt API deprecated before the oldest Qt we build
# with (6.4, Debian 12's). ORVALIN_WERROR turns every warning into an error, as CI does.
option(ORVALIN_WERROR "Treat every compiler warning as an error" OFF)

add_library(orvalin_warnings INTERFACE)
target_compile_options(orvalin_warnings INTERFACE -Wall -Wextra
  $<$<BOOL:${ORVALIN_WERROR}>:-Werror>)
target_compile_definitions(orvalin_warnings INTERFACE QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)

# Links the warnings target into every library and program defined in DIRECTORY and below.
function(orvalin_warn_everywhere directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE orvalin_warnings)
    endif()
  endforeach()
  get_property(children DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    orvalin_warn_everywhere(${child})
  endforeach()
endfunction()
