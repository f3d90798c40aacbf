# SYNTAX TEST "source.tolm" "commands, one-text arguments and comments"

# A comment line.
# <----------------- comment.line.tolm
  ; after blanks too
# ^^^^^^^^^^^^^^^^^^ comment.line.tolm
/waitfor Tolm demo*
# <-------- keyword.control.command.tolm
#        ^^^^^^^^^^ string.unquoted.argument.tolm
/WaitClose /ignore Tolm demo* /* still text */
# <---------- keyword.control.command.tolm
#          ^^^^^^^ keyword.other.option.tolm
#                  ^^^^^^^^^^^^^^^^^^^^^^^^^^^ string.unquoted.argument.tolm
/activate /* a note */ Untitled - Notepad
# <--------- keyword.control.command.tolm
#         ^^^^^^^^^^^^ comment.block.tolm
#                      ^^^^^^^^^^^^^^^^^^ string.unquoted.argument.tolm
/cd /tmp
#   ^^^^ string.unquoted.argument.tolm
/pause "Home is " & env(HOME)
# <------ keyword.control.command.tolm
#      ^^^^^^^^^^ string.quoted.double.tolm
#                 ^ keyword.operator.tolm
#                   ^^^ support.function.tolm
/pause say "hi" & no expression
#      ^^^^^^^^^^^^^^^^^^^^^^^^ string.unquoted.argument.tolm
/close x
/killwindow x
/kill firefox*
# <----- keyword.control.command.tolm
#     ^^^^^^^^ string.unquoted.argument.tolm
/edit notes.tm
# <----- keyword.control.command.tolm
@"other file.tm"
# <- keyword.control.command.tolm
#^^^^^^^^^^^^^^^ string.quoted.double.tolm
/plist
# <------ keyword.control.command.tolm
/wlist
# <------ keyword.control.command.tolm
/waitall
# <-------- keyword.control.command.tolm
/sleep 1 + 1
# <------ keyword.control.command.tolm
#      ^ constant.numeric.tolm
#        ^ keyword.operator.tolm
/waitforx Tolm
# <--------- - keyword.control.command.tolm
