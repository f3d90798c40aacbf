" The Vim files on a sample command file: ftdetect takes *.tm from Tcl, and
" the syntax file gives each part of a line its group. Run by ctest:
"   vim -Nu NONE -i NONE -n -es --cmd 'set rtp^=editors/vim' -S vim_syntax_test.vim SAMPLE
" Failures go to the standard error; the exit status is then 1.
filetype on
syntax on
let s:failures = []

function! s:Expect(line, text, group) abort
  let col = stridx(getline(a:line), a:text) + 1
  if col == 0
    call add(s:failures, printf('line %d has no "%s"', a:line, a:text))
    return
  endif
  for c in range(col, col + len(a:text) - 1)
    let name = synIDattr(synID(a:line, c, 1), 'name')
    if name !=# a:group
      call add(s:failures, printf('line %d col %d ("%s"): %s, not %s', a:line, c, a:text, name, a:group))
      return
    endif
  endfor
endfunction

execute 'edit' fnameescape(argv(0))
if &filetype !=# 'tolm'
  call add(s:failures, 'filetype is "' . &filetype . '", not "tolm"')
endif
if get(b:, 'current_syntax', '') !=# 'tolm'
  call add(s:failures, 'the tolm syntax is not loaded')
endif

call s:Expect(1, '# Start a terminal', 'tolmComment')
call s:Expect(2, 'xterm', 'tolmProgram')
call s:Expect(2, '"Tolm demo"', 'tolmString')
call s:Expect(2, '/wait', 'tolmOption')
call s:Expect(3, '/waitfor', 'tolmOneText')
call s:Expect(3, '/ignore', 'tolmTextOption')
call s:Expect(3, 'Tolm demo*', 'tolmText')
call s:Expect(4, '/sendkeys', 'tolmSendKeys')
call s:Expect(4, 'echo ', 'tolmKeys')
call s:Expect(4, '+', 'tolmKeyModifier')
call s:Expect(4, '{ENTER}', 'tolmKeyName')
call s:Expect(4, '{TAB 3}', 'tolmKeyName')
call s:Expect(4, '{enter}', 'tolmKeys')
call s:Expect(5, '/pause', 'tolmOneText')
call s:Expect(5, '"Home is "', 'tolmString')
call s:Expect(5, '&', 'tolmOperator')
call s:Expect(5, 'env', 'tolmFunction')
call s:Expect(6, '/set', 'tolmSet')
call s:Expect(6, 'waitinternval', 'tolmSetting')
call s:Expect(6, '100', 'tolmNumber')
call s:Expect(7, '/if', 'tolmFlow')
call s:Expect(7, 'errorlevel', 'tolmFunction')
call s:Expect(7, 'eq', 'tolmComparison')
call s:Expect(7, '{', 'tolmBrace')
call s:Expect(8, '/cd', 'tolmOneText')
call s:Expect(8, '/tmp', 'tolmText')
call s:Expect(9, '/else', 'tolmFlow')
call s:Expect(9, '/plist', 'tolmCommand')
call s:Expect(10, '/* a note */', 'tolmBlockComment')
call s:Expect(10, '/waitall', 'tolmCommand')
call s:Expect(11, 'neatly', 'tolmProgram')
call s:Expect(12, '; done', 'tolmComment')

if !empty(s:failures)
  call writefile(s:failures, '/dev/stderr')
  cquit 1
endif
quit
