# Script mode: writes the bytes of IN as a C array named SYMBOL into OUT.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "extern const unsigned char ${SYMBOL}[] = {\n${bytes}0};\nextern const unsigned long ${SYMBOL}_size = ${size};\n")
