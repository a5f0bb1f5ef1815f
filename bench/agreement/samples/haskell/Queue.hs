-- | A purely functional queue with amortised O(1) operations, built from
-- two lists, and a breadth-first walk of a rose tree that uses it.
module Queue
  ( Queue
  , empty
  , isEmpty
  , push
  , pop
  , fromList
  , Tree(..)
  , breadthFirst
  , depth
  ) where

import Data.Foldable (foldl')

data Queue a = Queue [a] [a]

instance Show a => Show (Queue a) where
  show q = "fromList " ++ show (toList q)

instance Functor Queue where
  fmap f (Queue front back) = Queue (map f front) (map f back)

empty :: Queue a
empty = Queue [] []

isEmpty :: Queue a -> Bool
isEmpty (Queue [] []) = True
isEmpty _             = False

push :: a -> Queue a -> Queue a
push x (Queue front back) = check (Queue front (x : back))

pop :: Queue a -> Maybe (a, Queue a)
pop (Queue [] _)          = Nothing
pop (Queue (x : xs) back) = Just (x, check (Queue xs back))

-- Keeps the invariant: the front is empty only when the whole queue is.
check :: Queue a -> Queue a
check (Queue [] back) = Queue (reverse back) []
check q               = q

fromList :: [a] -> Queue a
fromList = foldl' (flip push) empty

toList :: Queue a -> [a]
toList (Queue front back) = front ++ reverse back

data Tree a = Node a [Tree a]

breadthFirst :: Tree a -> [a]
breadthFirst root = go (push root empty)
  where
    go q = case pop q of
      Nothing                      -> []
      Just (Node value kids, rest) -> value : go (foldl' (flip push) rest kids)

depth :: Tree a -> Int
depth (Node _ [])   = 1
depth (Node _ kids) = 1 + maximum (map depth kids)

example :: Tree Int
example = Node 1 [Node 2 [Node 4 []], Node 3 [Node 5 [], Node 6 [Node 7 []]]]

main :: IO ()
main = do
  print (breadthFirst example)
  putStrLn $ "depth: " <> show (depth example)
  let q = fromList "queue"
  mapM_ print [fmap fst (pop q), Just 'x']
