# The parse tables and scanner automata of both languages are constant data,
# written when the program is built by tolm_table_gen, a host program made of
# the table builders, the grammars and the lexer rules; it runs again whenever
# one of them changes. The generator is built without the sanitizer and fuzzer
# instrumentation: it only has to run on the build machine. A cross build,
# whose own programs cannot run there, names a generator built for the host:
#   cmake -S . -B build-host && cmake --build build-host --target tolm_table_gen
#   cmake -S . -B build-cross -DTOLM_TABLE_GENERATOR=$PWD/build-host/tolm_table_gen ...
set(TOLM_TABLE_GENERATOR "" CACHE FILEPATH "A tolm_table_gen built for the host (cross builds); empty: build it here")
set(table_sources ${PROJECT_SOURCE_DIR}/front/lalr_builder.cpp ${PROJECT_SOURCE_DIR}/front/lexer_automaton.cpp ${PROJECT_SOURCE_DIR}/front/command_grammar.cpp
    ${PROJECT_SOURCE_DIR}/front/command_lex_rules.cpp ${PROJECT_SOURCE_DIR}/expr/expr_grammar.cpp ${PROJECT_SOURCE_DIR}/expr/expr_lex_rules.cpp)
if(TOLM_TABLE_GENERATOR)
  set(table_generator ${TOLM_TABLE_GENERATOR})
elseif(CMAKE_CROSSCOMPILING)
  message(FATAL_ERROR "A cross build needs -DTOLM_TABLE_GENERATOR=<tolm_table_gen built for the host> (tools/build-windows.sh makes one)")
else()
  add_executable(tolm_table_gen ${PROJECT_SOURCE_DIR}/front/gen/table_gen.cpp ${table_sources})
  set_property(TARGET tolm_table_gen PROPERTY COMPILE_OPTIONS ${TOLM_WARNINGS})
  set_property(TARGET tolm_table_gen PROPERTY LINK_OPTIONS "")
  target_include_directories(tolm_table_gen PRIVATE ${PROJECT_SOURCE_DIR})
  set(table_generator tolm_table_gen)
endif()
set(generated_tables ${CMAKE_CURRENT_BINARY_DIR}/generated/front_tables.cpp)
add_custom_command(OUTPUT ${generated_tables}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
  COMMAND ${table_generator} ${generated_tables}
  DEPENDS ${table_generator} ${table_sources}
  COMMENT "Writing the parse tables and scanner automata"
  VERBATIM)
target_sources(tolm_front PRIVATE ${generated_tables})
