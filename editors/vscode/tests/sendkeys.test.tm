# SYNTAX TEST "source.tolm" "/sendkeys key strings"

/sendkeys +hello from +tolm{ENTER}
# <--------- keyword.control.command.tolm
#         ^ keyword.operator.modifier.tolm
#          ^^^^^^^^^^ string.unquoted.keys.tolm
#                          ^^^^^^^ constant.character.key.tolm
/sendkeys ^s%{F4}{TAB 3}{x 4}~
#         ^ keyword.operator.modifier.tolm
#           ^ keyword.operator.modifier.tolm
#            ^^^^ constant.character.key.tolm
#                ^^^^^^^ constant.character.key.tolm
#                       ^^^^^ constant.character.repeat.tolm
#                            ^ keyword.operator.modifier.tolm
/sendkeys {BACKSPACE}{BS}{BKSP}{DELETE}{DEL}{INSERT}{INS}{ESC}
#         ^^^^^^^^^^^ constant.character.key.tolm
#                    ^^^^ constant.character.key.tolm
#                        ^^^^^^ constant.character.key.tolm
#                              ^^^^^^^^ constant.character.key.tolm
#                                      ^^^^^ constant.character.key.tolm
#                                           ^^^^^^^^ constant.character.key.tolm
#                                                   ^^^^^ constant.character.key.tolm
#                                                        ^^^^^ constant.character.key.tolm
/sendkeys {HOME}{END}{PGUP}{PGDN}{UP}{DOWN}{LEFT}{RIGHT}
#         ^^^^^^ constant.character.key.tolm
#                    ^^^^^^ constant.character.key.tolm
#                                                ^^^^^^^ constant.character.key.tolm
/sendkeys {SHIFT}{CTRL}{ALT}{F1}{F12}{F16}{BREAK}{CAPSLOCK}{HELP}{NUMLOCK}{PRTSC}{SCROLLLOCK}
#         ^^^^^^^ constant.character.key.tolm
#                            ^^^^ constant.character.key.tolm
#                                ^^^^^ constant.character.key.tolm
#                                                                               ^^^^^^^^^^^^ constant.character.key.tolm
/sendkeys {enter}
#         ^^^^^^^ - constant.character.key.tolm
/sendkeys "cat > " & env(DEMO_FILE) & "{ENTER}"
#         ^^^^^^^^ string.quoted.double.tolm
#                  ^ keyword.operator.tolm
#                    ^^^ support.function.tolm
/sendkeys /warn abc
#         ^^^^^ keyword.other.option.tolm
#               ^^^ string.unquoted.keys.tolm
