" Tolm command files. Vim's own filetype.vim takes *.tm for Tcl modules;
" ftdetect files run after it, and "set filetype" (not "setf") overrides that.
autocmd BufNewFile,BufRead *.tm,*.TM set filetype=tolm
