" Vim syntax file
" Language:    Tolm command files (.tm)
" Maintainer:  The Tolm developers
" License:     MIT
"
" A line is a command or a program line. After the one-text commands the rest
" of the line is one text, unless it starts with a double quote (then it is an
" expression); key strings of /sendkeys show their keys and modifiers.

if exists("b:current_syntax")
  finish
endif

let s:cpo_save = &cpo
set cpo&vim

syn case ignore

" The end of a word: none of the command language's word characters follows.
" (Its words hold letters, digits and . : , _ ~ \.)

syn match tolmNumber "\%([[:alnum:].:,_~\\]\)\@<!\d\+"
syn match tolmOperator "[&+=-]"
syn match tolmComparison "\%([[:alnum:].:,_~\\]\)\@<!\%(eq\|ne\|lt\|gt\)\%([[:alnum:].:,_~\\]\)\@!"
syn match tolmFunction "\%([[:alnum:].:,_~\\]\)\@<!\%(env\|errorlevel\)\ze\s*("
syn region tolmString start=+"+ end=+"+
syn match tolmBrace "[{}]"

" The first word of a program line.
syn match tolmProgram "^\s*\zs[[:alpha:].:\\~][[:alnum:].:,_~\\]*"

" Options of program lines, also taken by the one-text commands.
syn match tolmOption "/\%(ignore\|i\|warn\|hide\|h\|min\|max\|noactivate\|wait\|w\)\%([[:alnum:].:,_~\\]\)\@!"

syn match tolmCommand "/\%(plist\|sleep\|waitall\|wlist\)\%([[:alnum:].:,_~\\]\)\@!"
syn match tolmCommand "@"
syn match tolmFlow "/\%(if\|else\|do\|while\)\%([[:alnum:].:,_~\\]\)\@!"
syn match tolmSet "/set\%([[:alnum:].:,_~\\]\)\@!" nextgroup=tolmSetting,tolmVariable skipwhite
syn match tolmVariable contained "[[:alnum:].:,_~\\]\+\ze\s*="
syn match tolmSetting contained "\%(debug\|exec\|waitinternval\)\ze\s*="

" One-text commands: options and comments may follow the command word.
syn match tolmOneText "/\%(activate\|cd\|close\|edit\|killwindow\|kill\|pause\|waitclose\|waitfor\)\%([[:alnum:].:,_~\\]\)\@!"
      \ nextgroup=tolmTextOption,tolmTextComment,tolmText skipwhite
syn match tolmTextOption contained "/\%(ignore\|i\|warn\|hide\|h\|min\|max\|noactivate\|wait\|w\)\%([[:alnum:].:,_~\\]\)\@!"
      \ nextgroup=tolmTextOption,tolmTextComment,tolmText skipwhite
syn region tolmTextComment contained start="/\*" end="\*/"
      \ nextgroup=tolmTextOption,tolmTextComment,tolmText skipwhite
" The text starts at the first character that is no option and no comment.
syn match tolmText contained "\%(/\%(ignore\|i\|warn\|hide\|h\|min\|max\|noactivate\|wait\|w\)\%([[:alnum:].:,_~\\]\)\@!\|/\*\)\@![^ \t\f\"].*$"

syn match tolmSendKeys "/sendkeys\%([[:alnum:].:,_~\\]\)\@!"
      \ nextgroup=tolmKeysOption,tolmKeysComment,tolmKeys skipwhite
syn match tolmKeysOption contained "/\%(ignore\|i\|warn\|hide\|h\|min\|max\|noactivate\|wait\|w\)\%([[:alnum:].:,_~\\]\)\@!"
      \ nextgroup=tolmKeysOption,tolmKeysComment,tolmKeys skipwhite
syn region tolmKeysComment contained start="/\*" end="\*/"
      \ nextgroup=tolmKeysOption,tolmKeysComment,tolmKeys skipwhite
syn match tolmKeys contained "\%(/\%(ignore\|i\|warn\|hide\|h\|min\|max\|noactivate\|wait\|w\)\%([[:alnum:].:,_~\\]\)\@!\|/\*\)\@![^ \t\f\"].*$" contains=tolmKeyName,tolmKeyRepeat,tolmKeyModifier

" Key names are written in capitals.
syn case match
syn match tolmKeyModifier contained "[+^%~]"
syn match tolmKeyRepeat contained "{[^ }]\+ -\=\d\+}"
syn match tolmKeyName contained "{\%(ENTER\|TAB\|ESC\|BACKSPACE\|BS\|BKSP\|DELETE\|DEL\|INSERT\|INS\|HOME\|END\|PGUP\|PGDN\|UP\|DOWN\|LEFT\|RIGHT\|SHIFT\|CTRL\|ALT\|BREAK\|CAPSLOCK\|HELP\|NUMLOCK\|PRTSC\|SCROLLLOCK\|F1\|F2\|F3\|F4\|F5\|F6\|F7\|F8\|F9\|F10\|F11\|F12\|F13\|F14\|F15\|F16\)\%( -\=\d\+\)\=}"
syn case ignore

" Comments: "#" or ";" first on a line, and /* ... */ anywhere.
syn match tolmComment "^[ \t\f]*[#;].*$"
syn region tolmBlockComment start="/\*" end="\*/"

hi def link tolmComment      Comment
hi def link tolmBlockComment Comment
hi def link tolmTextComment  Comment
hi def link tolmKeysComment  Comment
hi def link tolmCommand      Statement
hi def link tolmOneText      Statement
hi def link tolmSendKeys     Statement
hi def link tolmSet          Statement
hi def link tolmFlow         Conditional
hi def link tolmOption       Special
hi def link tolmTextOption   Special
hi def link tolmKeysOption   Special
hi def link tolmSetting      Identifier
hi def link tolmVariable     Identifier
hi def link tolmProgram      Function
hi def link tolmFunction     Function
hi def link tolmComparison   Operator
hi def link tolmOperator     Operator
hi def link tolmString       String
hi def link tolmText         String
hi def link tolmKeys         String
hi def link tolmNumber       Number
hi def link tolmBrace        Delimiter
hi def link tolmKeyName      SpecialChar
hi def link tolmKeyRepeat    SpecialChar
hi def link tolmKeyModifier  SpecialChar

let b:current_syntax = "tolm"

let &cpo = s:cpo_save
unlet s:cpo_save
