{-# LANGUAGE ScopedTypeVariables #-}
-- | A stack machine for arithmetic, with a parser for its programs.
module Stack
  ( Instr (..)
  , run
  , parse
  ) where

import qualified Data.Map.Strict as Map
import Data.Char (isDigit, isSpace)
import Data.List (foldl')
import Control.Monad (foldM, when)

{- Instructions work on a stack of integers.
   Nothing is raised: every failure is a Left. -}
data Instr
  = Push Integer
  | Add
  | Sub
  | Mul
  | Div
  | Dup
  | Swap
  | Store String
  | Load String
  deriving (Show, Eq)

type Stack = [Integer]
type Env = Map.Map String Integer

newtype Machine = Machine { unMachine :: (Stack, Env) }

class Pretty a where
  pretty :: a -> String

instance Pretty Instr where
  pretty (Push n) = "push " ++ show n
  pretty (Store v) = "store " ++ v
  pretty (Load v) = "load " ++ v
  pretty other = map toLowerAscii (show other)
    where
      toLowerAscii c
        | c >= 'A' && c <= 'Z' = toEnum (fromEnum c + 32)
        | otherwise = c

step :: (Stack, Env) -> Instr -> Either String (Stack, Env)
step (s, env) instr = case (instr, s) of
  (Push n, _) -> Right (n : s, env)
  (Add, a : b : rest) -> Right (b + a : rest, env)
  (Sub, a : b : rest) -> Right (b - a : rest, env)
  (Mul, a : b : rest) -> Right (b * a : rest, env)
  (Div, 0 : _ : _) -> Left "division by zero"
  (Div, a : b : rest) -> Right (b `div` a : rest, env)
  (Dup, a : rest) -> Right (a : a : rest, env)
  (Swap, a : b : rest) -> Right (b : a : rest, env)
  (Store v, a : rest) -> Right (rest, Map.insert v a env)
  (Load v, _) -> maybe (Left ("unset: " ++ v)) (\x -> Right (x : s, env)) (Map.lookup v env)
  _ -> Left $ "stack underflow at " ++ pretty instr

run :: [Instr] -> Either String Stack
run prog = fst <$> foldM step ([], Map.empty) prog

parse :: String -> Either String [Instr]
parse = mapM word . words
  where
    word w
      | all isDigit w = Right (Push (read w))
      | w == "+" = Right Add
      | w == "-" = Right Sub
      | w == "*" = Right Mul
      | w == "/" = Right Div
      | w == "dup" = Right Dup
      | w == "swap" = Right Swap
      | ('>' : v) <- w = Right (Store v)
      | ('<' : v) <- w = Right (Load v)
      | otherwise = Left ("unknown word '" ++ w ++ "'")

main :: IO ()
main = do
  let source = "2 3 + dup * >x <x 10 /"
  case parse source >>= run of
    Left err -> putStrLn ("error: " ++ err)
    Right stack -> do
      when (null stack) $ putStrLn "empty"
      print (foldl' (+) 0 stack, 0x1F :: Int, 3.5e-2 :: Double, 'c', "tab\there")
  let xs = [x * y | x <- [1 .. 3], y <- [1, 2], odd x] :: [Int]
  mapM_ print (zip xs (repeat True))
