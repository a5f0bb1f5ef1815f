module Main (main) where

import Control.Monad (forM_, unless, when)
import Data.Char (isAlpha, toLower)
import qualified Data.Map as M
import Data.List (sortBy)
import Data.Ord (comparing, Down(..))
import System.Environment (getArgs)
import System.Exit (exitFailure)
import System.IO (hPutStrLn, stderr)

-- | Counts of each word, case folded; apostrophes inside a word are kept
-- so that "don't" stays one word.
frequencies :: String -> M.Map String Int
frequencies = M.fromListWith (+) . map (\w -> (w, 1)) . splitWords . map toLower

splitWords :: String -> [String]
splitWords text = case dropWhile (not . isWordChar) text of
  ""   -> []
  rest -> let (word, remainder) = span isWordChar rest
          in trim word : splitWords remainder
  where
    isWordChar c = isAlpha c || c == '\''
    trim = reverse . dropWhile (== '\'') . reverse . dropWhile (== '\'')

top :: Int -> M.Map String Int -> [(String, Int)]
top n = take n . sortBy (comparing (Down . snd) <> comparing fst) . M.toList

usage :: String
usage = "usage: wordfreq [-n COUNT] FILE..."

parseArgs :: [String] -> Either String (Int, [FilePath])
parseArgs ("-n" : count : rest) = case reads count of
  [(n, "")] | n > 0 -> fmap (\(_, files) -> (n, files)) (parseArgs rest)
  _                 -> Left ("not a positive count: " ++ count)
parseArgs files
  | null files = Left usage
  | otherwise  = Right (10, files)

main :: IO ()
main = do
  args <- getArgs
  case parseArgs args of
    Left message -> do
      hPutStrLn stderr message
      exitFailure
    Right (n, files) -> do
      texts <- mapM readFile files
      let counts = M.unionsWith (+) (map frequencies texts)
      when (M.null counts) $ putStrLn "no words"
      unless (M.null counts) $
        forM_ (top n counts) $ \(word, count) ->
          putStrLn (pad 16 word ++ show count)
  where
    pad width s = s ++ replicate (width - length s) ' '
