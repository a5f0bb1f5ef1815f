{-# LANGUAGE ScopedTypeVariables #-}
-- | A small stock ledger: items, movements and the questions asked of them.
module Inventory
  ( Item(..)
  , Movement(..)
  , Stock
  , applyMovement
  , lowStock
  , totalValue
  , parseMovement
  ) where

import qualified Data.Map.Strict as Map
import Data.List (sortOn)
import Data.Maybe (fromMaybe)
import Text.Read (readMaybe)

data Item = Item
  { itemSku   :: String
  , itemName  :: String
  , itemPrice :: Double
  } deriving (Show, Eq)

data Movement
  = Received String Int
  | Shipped String Int
  | Counted String Int   -- ^ a stock take replaces the count
  deriving (Show, Eq)

type Stock = Map.Map String Int

applyMovement :: Stock -> Movement -> Either String Stock
applyMovement stock (Received sku n)
  | n <= 0    = Left ("received a non-positive amount of " ++ sku)
  | otherwise = Right (Map.insertWith (+) sku n stock)
applyMovement stock (Shipped sku n) =
  let have = fromMaybe 0 (Map.lookup sku stock)
  in if n > have
       then Left ("cannot ship " ++ show n ++ " of " ++ sku ++ ", only " ++ show have ++ " left")
       else Right (Map.insert sku (have - n) stock)
applyMovement stock (Counted sku n) = Right (Map.insert sku n stock)

-- | Items under the threshold, fewest first.
lowStock :: Int -> Stock -> [(String, Int)]
lowStock threshold = sortOn snd . filter ((< threshold) . snd) . Map.toList

totalValue :: [Item] -> Stock -> Double
totalValue items stock = sum
  [ itemPrice item * fromIntegral count
  | item <- items
  , Just count <- [Map.lookup (itemSku item) stock]
  ]

{- Movements come one per line, as "in SKU N", "out SKU N" or "count SKU N".
   Anything else is reported with its line number. -}
parseMovement :: Int -> String -> Either String Movement
parseMovement lineNo line = case words line of
  [verb, sku, amount] | Just (n :: Int) <- readMaybe amount ->
    case verb of
      "in"    -> Right (Received sku n)
      "out"   -> Right (Shipped sku n)
      "count" -> Right (Counted sku n)
      _       -> Left (where' ++ "unknown verb '" ++ verb ++ "'")
  _ -> Left (where' ++ "expected three fields")
  where
    where' = "line " ++ show lineNo ++ ": "
