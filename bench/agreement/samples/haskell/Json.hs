-- | A small JSON value type with a pretty printer and a parser.
module Json (Value (..), render, parseJson) where

import Data.Char (isDigit, isSpace, isHexDigit, chr, digitToInt)
import Data.List (intercalate)

data Value
  = Null
  | Bool Bool
  | Number Double
  | String String
  | Array [Value]
  | Object [(String, Value)]
  deriving (Eq, Show)

render :: Value -> String
render Null = "null"
render (Bool b) = if b then "true" else "false"
render (Number n)
  | n == fromInteger (round n) = show (round n :: Integer)
  | otherwise = show n
render (String s) = show s
render (Array xs) = "[" ++ intercalate "," (map render xs) ++ "]"
render (Object kvs) = "{" ++ intercalate "," [show k ++ ":" ++ render v | (k, v) <- kvs] ++ "}"

type Parser a = String -> Maybe (a, String)

parseJson :: String -> Maybe Value
parseJson s = case value (skip s) of
  Just (v, rest) | all isSpace rest -> Just v
  _ -> Nothing

skip :: String -> String
skip = dropWhile isSpace

value :: Parser Value
value ('n' : 'u' : 'l' : 'l' : rest) = Just (Null, rest)
value ('t' : 'r' : 'u' : 'e' : rest) = Just (Bool True, rest)
value ('f' : 'a' : 'l' : 's' : 'e' : rest) = Just (Bool False, rest)
value ('"' : rest) = do
  (s, rest') <- str rest
  return (String s, rest')
value ('[' : rest) = items (skip rest) []
value s@(c : _)
  | isDigit c || c == '-' =
      let (digits, rest) = span (\x -> isDigit x || x `elem` "-+.eE") s
       in Just (Number (read digits), rest)
value _ = Nothing

items :: String -> [Value] -> Maybe (Value, String)
items (']' : rest) acc = Just (Array (reverse acc), rest)
items s acc = do
  (v, rest) <- value (skip s)
  case skip rest of
    ',' : more -> items (skip more) (v : acc)
    ']' : more -> Just (Array (reverse (v : acc)), more)
    _ -> Nothing

str :: Parser String
str ('"' : rest) = Just ("", rest)
str ('\\' : 'u' : a : b : c : d : rest)
  | all isHexDigit [a, b, c, d] = do
      (s, rest') <- str rest
      let code = foldl (\n h -> n * 16 + digitToInt h) 0 [a, b, c, d]
      return (chr code : s, rest')
str ('\\' : e : rest) = do
  (s, rest') <- str rest
  return (maybe e id (lookup e [('n', '\n'), ('t', '\t')]) : s, rest')
str (c : rest) = do
  (s, rest') <- str rest
  return (c : s, rest')
str [] = Nothing
