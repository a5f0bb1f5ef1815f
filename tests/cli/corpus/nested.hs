{- outer {- inner -} still
   a comment -}
main = putStrLn "it's"
