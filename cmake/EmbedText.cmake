file(READ ${INPUT} _text)
file(WRITE ${OUTPUT} "extern const char* const ${SYMBOL};\nconst char* const ${SYMBOL} = R\"EMBED(${_text})EMBED\";\n")
