# Start a terminal, wait for its window, type into it, close it.
xterm "-T" "Tolm demo" "-e" sh /wait
/waitfor /ignore Tolm demo*
/sendkeys echo +hello{ENTER}{TAB 3}{enter}
/pause "Home is " & env(HOME)
/set waitinternval=100
/if errorlevel() eq 3 {
  /cd /tmp
} /else { /plist }
/* a note */ /waitall
neatly
  ; done
