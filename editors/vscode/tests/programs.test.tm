# SYNTAX TEST "source.tolm" "program lines, options, settings, blocks and expressions"

xterm "-T" "Tolm demo" "-e" sh
# <----- entity.name.function.program.tolm
#     ^^^^ string.quoted.double.tolm
sh /wait /ignore "-c" "exit 3"
#  ^^^^^ keyword.other.option.tolm
#        ^^^^^^^ keyword.other.option.tolm
notes.txt /W /i /warn /hide /h /min /max /noactivate
#         ^^ keyword.other.option.tolm
#            ^^ keyword.other.option.tolm
#               ^^^^^ keyword.other.option.tolm
#                     ^^^^^ keyword.other.option.tolm
#                           ^^ keyword.other.option.tolm
#                              ^^^^ keyword.other.option.tolm
#                                   ^^^^ keyword.other.option.tolm
#                                        ^^^^^^^^^^^ keyword.other.option.tolm
/set debug=on
# <---- keyword.control.command.tolm
#    ^^^^^ variable.language.setting.tolm
#         ^ keyword.operator.tolm
/set WaitInternVal=100
#    ^^^^^^^^^^^^^ variable.language.setting.tolm
/set GREETING="Hello from " & env(USER)
#    ^^^^^^^^ variable.other.environment.tolm
#             ^^^^^^^^^^^^^ string.quoted.double.tolm
#                           ^ keyword.operator.tolm
#                             ^^^ support.function.tolm
/if errorlevel() eq 3 {
# <--- keyword.control.flow.tolm
#   ^^^^^^^^^^ support.function.tolm
#                ^^ keyword.operator.comparison.tolm
#                   ^ constant.numeric.tolm
#                     ^ punctuation.section.block.tolm
  /pause three
} /else {
# <- punctuation.section.block.tolm
# ^^^^^ keyword.control.flow.tolm
}
/do {
# <--- keyword.control.flow.tolm
  sh /wait "-c" "test 1 -ge 3"
} /while errorlevel() NE 0
# ^^^^^^ keyword.control.flow.tolm
#                     ^^ keyword.operator.comparison.tolm
/if env(X) lt 2 { /pause small }
#          ^^ keyword.operator.comparison.tolm
/if env(X) gt 2 { /pause large }
#          ^^ keyword.operator.comparison.tolm
neatly
# <------ entity.name.function.program.tolm
# <------ - keyword.operator.comparison.tolm
