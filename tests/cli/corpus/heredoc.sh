#!/bin/sh
cat <<-'EOF' | sed 's/x/y/' # the body is a string
	it's a "quote" and $HOME
	EOF
msg="two
lines"
echo "$msg"
