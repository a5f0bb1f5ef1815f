--[==[ a long
comment ]] still ]==] local s = [[
two ]=] lines]]
-- line comment
